#include "slots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common.h"
#include "test_util.h"

namespace {

// An image of the ten slots of TenSlots() but those of the digits in
// placeholders, then placeholders in turn.
std::string Ten(const std::vector<Placeholder>& placeholders) {
  std::vector<Placeholder> slots;
  for (const Placeholder& p : TenSlots()) {
    bool kept = true;
    for (const Placeholder& q : placeholders) kept = kept && q.digit != p.digit;
    if (kept) slots.push_back(p);
  }
  slots.insert(slots.end(), placeholders.begin(), placeholders.end());
  return MakeProgs(IMAGE_SIZE, slots);
}

TEST(SlotFinder, FindsMarkers) {
  const int last = IMAGE_SIZE - 1 - PLACEHOLDER_SIZE;  // ends on the last byte
  const struct {
    const char* name;
    std::string image;
    int slot;          // slot number to look at
    int expected_pos;  // where its map slot starts
  } cases[] = {
      {"all ten in order", MakeProgs(), 7, 380},
      {"the last of a digit wins", Ten({{SlotStart(4), '4'}, {2000, '4'}}), 4,
       2000},
      {"the earlier duplicate is not the slot",
       Ten({{20, '4'}, {SlotStart(4), '4'}}), 4, 260},
      {"a slot at the very start of the image", Ten({{0, '0'}}), 0, 0},
      {"a marker ending on the last byte kept", Ten({{last, '9'}}), 9, last},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(c.image);
    FindMapSlots();
    ASSERT_TRUE(AllSlotsFound());
    EXPECT_EQ(SlotPosition(c.slot), c.expected_pos);
  }
}

TEST(SlotFinder, PassesOverWhatIsNoMarker) {
  // Each image holds slots 0 to 8 and something that is not quite slot 9.
  auto nine = [](const std::string& tail, std::size_t at) {
    auto slots = TenSlots();
    slots.pop_back();
    std::string bytes = MakeProgs(IMAGE_SIZE, slots);
    bytes.replace(at, tail.size(), tail);
    return bytes;
  };
  const struct {
    const char* name;
    std::string image;
  } cases[] = {
      {"no marker for 9", nine("", 0)},
      {"another byte than l before t!g", nine("xt!g9", 1000)},
      {"a letter after lt!g", nine("lt!ga", 1000)},
      {"a byte of 0x80 and above after lt!g", nine("lt!g\xB9", 1000)},
      {"t!g at position 0", nine("t!g9", 0)},
      {"t!g at position 1, slot before the image", nine("lt!g9", 0)},
      {"t!g at position 16, slot before the image", nine("lt!g9", 15)},
      {"a marker across the last byte kept", nine("lt!g9", IMAGE_SIZE - 5)},
      {"a marker past the image", nine("lt!g9", IMAGE_SIZE)},
      {"a digit twice, 9 missing", nine("lt!g3", 1000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(c.image);
    FindMapSlots();
    EXPECT_FALSE(AllSlotsFound());
  }
}

TEST(SlotFinder, FindMarkerSearchesFromStart) {
  SetImage(Ten({{0, '0'}}));
  EXPECT_EQ(FindMarker(0), SLOT_OFFSET);
  EXPECT_EQ(FindMarker(SLOT_OFFSET), SLOT_OFFSET);
  EXPECT_EQ(FindMarker(SLOT_OFFSET + 1),
            static_cast<int>(SlotStart(1)) + SLOT_OFFSET);
  EXPECT_EQ(FindMarker(IMAGE_SIZE - 1), NOT_FOUND);
}

TEST(SlotFinder, RescanOfItsOwnSlotsFindsTheSame) {
  SetImage(MakeProgs());
  FindMapSlots();
  ASSERT_TRUE(AllSlotsFound());
  ClearMapSlots();
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(SlotBytes(n), std::string(1, '\0') + "ap" + std::to_string(n) +
                                std::string(12, '\0'));
  }
  FindMapSlots();
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(SlotPosition(n), static_cast<int>(SlotStart(n)));
  }
}

TEST(SlotOverlap, PlaceholdersMustNotShareBytes) {
  // Slot 9 moved beside slot 8 (a higher digit after a lower one) or before
  // slot 0 (before a lower one), overlapping by a byte, touching, or a byte
  // apart.
  const int after_8 = static_cast<int>(SlotStart(8)) + PLACEHOLDER_SIZE;
  const int before_0 = static_cast<int>(SlotStart(0)) - PLACEHOLDER_SIZE;
  const struct {
    const char* name;
    int slot9_pos;
    std::string slot9_bytes;  // may repeat the bytes of 8's marker it covers
    bool overlap;
  } cases[] = {
      {"apart by a whole placeholder", 5000, "", false},
      {"right after slot 8's marker", after_8, "", false},
      {"a byte after slot 8's marker", after_8 + 1, "", false},
      {"slot 9 covers the digit of 8", after_8 - 1, "8", true},
      {"right before slot 0", before_0, "", false},
      {"a byte before slot 0", before_0 - 1, "", false},
      {"9's digit on the first byte of slot 0", before_0 + 1, "", true},
      {"markers five bytes apart", after_8 - PLACEHOLDER_SIZE + MARKER_SIZE,
       "xxxxxxxxxxxlt!g8", true},
      {"9's marker inside 8's slot", after_8 - PLACEHOLDER_SIZE - 15, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(
        Ten({{static_cast<std::size_t>(c.slot9_pos), '9', c.slot9_bytes}}));
    FindMapSlots();
    ASSERT_TRUE(AllSlotsFound());
    EXPECT_EQ(PlaceholdersOverlap(), c.overlap);
  }
}

TEST(SlotOverlap, LosingMarkerIsNotConsidered) {
  // A marker of 1 inside slot 0, beaten by the later one.
  SetImage(Ten({{SlotStart(0) - 10, '1'}, {SlotStart(1), '1'}}));
  FindMapSlots();
  ASSERT_TRUE(AllSlotsFound());
  EXPECT_FALSE(PlaceholdersOverlap());
}

TEST(MarkerCovers, SeesMarkersTouchingTheRange) {
  const struct {
    const char* name;
    std::string bytes;  // written at at
    int first, last;
    bool covered;
    std::size_t at = 1000;
  } cases[] = {
      {"inside", "lt!g5", 1000, 1004, true},
      {"starting four before", "lt!g5", 1004, 1010, true},
      {"ending before the range", "lt!g5", 1005, 1010, false},
      {"starting on the last byte", "xxxlt!g5", 990, 1003, true},
      {"starting after the range", "xxxlt!g5", 990, 1002, false},
      {"no digit", "lt!gx", 1000, 1004, false},
      {"range below the image", "lt!g5", -10, 2, false},
      {"at the start of the image", "lt!g5", -3, 0, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string image = MakeProgs(IMAGE_SIZE, {});
    image.replace(c.at, c.bytes.size(), c.bytes);
    SetImage(image);
    EXPECT_EQ(MarkerCovers(c.first, c.last), c.covered);
  }
}

}  // namespace
