#include "slots.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common.h"
#include "test_util.h"

namespace {

struct Placeholder {
  std::size_t pos;  // first byte of the map slot
  char digit;
  std::string name = "";  // the slot's bytes, NUL padded
};

// Ten placeholders 40 bytes apart, after 100 bytes of filler.
std::vector<Placeholder> TenSlots() {
  std::vector<Placeholder> slots;
  for (int n = 0; n < 10; ++n) {
    slots.push_back({SlotStart(n), static_cast<char>('0' + n)});
  }
  return slots;
}

std::string Image(const std::vector<Placeholder>& slots,
                  std::size_t size = IMAGE_SIZE) {
  std::string bytes(size, '.');
  for (const Placeholder& p : slots) {
    PutPlaceholder(bytes, p.pos, p.digit, p.name);
  }
  return bytes;
}

TEST(SlotFinder, FindsMarkers) {
  const struct {
    const char* name;
    std::string image;
    int slot;          // slot number to look at
    int expected_pos;  // where its map slot starts
  } cases[] = {
      {"all ten in order", Image(TenSlots()), 7, 380},
      {"the last of a digit wins",
       [] {
         auto s = TenSlots();
         s.push_back({2000, '4'});
         return Image(s);
       }(),
       4, 2000},
      {"the earlier duplicate is not the slot",
       [] {
         auto s = TenSlots();
         s.insert(s.begin(), {20, '4'});
         return Image(s);
       }(),
       4, 260},
      {"a slot at the very start of the image",
       [] {
         auto s = TenSlots();
         s[0].pos = 0;
         return Image(s);
       }(),
       0, 0},
      {"a marker ending on the last byte kept",
       [] {
         auto s = TenSlots();
         s[9].pos = IMAGE_SIZE - 1 - PLACEHOLDER_SIZE;
         return Image(s);
       }(),
       9, IMAGE_SIZE - 1 - PLACEHOLDER_SIZE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetImage(c.image);
    FindMapSlots(progs_image);
    ASSERT_TRUE(AllSlotsFound());
    EXPECT_EQ(SlotPosition(c.slot), c.expected_pos);
  }
}

TEST(SlotFinder, PassesOverWhatIsNoMarker) {
  // Each image holds slots 0 to 8 and something that is not quite slot 9.
  auto nine = [](const std::string& tail, std::size_t at) {
    auto s = TenSlots();
    s.pop_back();
    std::string bytes = Image(s);
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
    FindMapSlots(progs_image);
    EXPECT_FALSE(AllSlotsFound());
  }
}

TEST(SlotFinder, FindMarkerSearchesFromStart) {
  auto s = TenSlots();
  s[0].pos = 0;
  SetImage(Image(s));
  EXPECT_EQ(FindMarker(progs_image, 0), SLOT_OFFSET);
  EXPECT_EQ(FindMarker(progs_image, SLOT_OFFSET), SLOT_OFFSET);
  EXPECT_EQ(FindMarker(progs_image, SLOT_OFFSET + 1),
            static_cast<int>(SlotStart(1)) + SLOT_OFFSET);
  EXPECT_EQ(FindMarker(progs_image, IMAGE_SIZE - 1), NOT_FOUND);
}

TEST(SlotFinder, RescanOfItsOwnSlotsFindsTheSame) {
  SetImage(MakeProgs());
  FindMapSlots(progs_image);
  ASSERT_TRUE(AllSlotsFound());
  ClearMapSlots();
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(SlotBytes(n), std::string(1, '\0') + "ap" + std::to_string(n) +
                                std::string(12, '\0'));
  }
  FindMapSlots(progs_image);
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(SlotPosition(n), static_cast<int>(SlotStart(n)));
  }
}

TEST(SlotOverlap, PlaceholdersMustNotShareBytes) {
  const struct {
    const char* name;
    std::size_t slot9_pos;
    std::string slot9_bytes;  // may repeat the bytes of 8's marker it covers
    bool overlap;
  } cases[] = {
      {"apart by a whole placeholder", 5000, "", false},
      {"right after slot 8's marker", SlotStart(8) + PLACEHOLDER_SIZE, "",
       false},
      {"slot 9 covers the digit of 8", SlotStart(8) + PLACEHOLDER_SIZE - 1, "8",
       true},
      {"markers five bytes apart", SlotStart(8) + MARKER_SIZE,
       "xxxxxxxxxxxlt!g8", true},
      {"9's marker inside 8's slot", SlotStart(8) - 15, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = TenSlots();
    s[9] = {c.slot9_pos, '9', c.slot9_bytes};
    SetImage(Image(s));
    FindMapSlots(progs_image);
    ASSERT_TRUE(AllSlotsFound());
    EXPECT_EQ(PlaceholdersOverlap(), c.overlap);
  }
}

TEST(SlotOverlap, LosingMarkerIsNotConsidered) {
  auto s = TenSlots();
  s.push_back({SlotStart(0) - 10, '1'});  // marker inside slot 0, then beaten
  SetImage(Image(s));
  FindMapSlots(progs_image);
  ASSERT_TRUE(AllSlotsFound());
  EXPECT_FALSE(PlaceholdersOverlap());
}

TEST(MarkerCovers, SeesMarkersTouchingTheRange) {
  const struct {
    const char* name;
    std::string bytes;  // written at 1000
    int first, last;
    bool covered;
  } cases[] = {
      {"inside", "lt!g5", 1000, 1004, true},
      {"starting four before", "lt!g5", 1004, 1010, true},
      {"ending before the range", "lt!g5", 1005, 1010, false},
      {"starting on the last byte", "xxxlt!g5", 990, 1003, true},
      {"starting after the range", "xxxlt!g5", 990, 1002, false},
      {"no digit", "lt!gx", 1000, 1004, false},
      {"range below the image", "lt!g5", -10, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string image(IMAGE_SIZE, '.');
    image.replace(1000, c.bytes.size(), c.bytes);
    SetImage(image);
    EXPECT_EQ(MarkerCovers(c.first, c.last), c.covered);
  }
}

}  // namespace
