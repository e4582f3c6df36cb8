// Fuzzes the slot finder and the run's in-memory steps: the input is the
// head of progs.dat. When the driver would accept its slots, the map list
// written from its names must read back into the very same bytes, and a
// fixed valid map list is applied.

#include <cstring>
#include <string>

#include "common.h"
#include "fuzz_support.h"
#include "maplist.h"
#include "slots.h"
#include "test_util.h"

namespace {

const char MAP_LIST[] =
    "// every slot, the longest name, escapes\n"
    "LOCALMAP0 = \"abcdefghijklmno\";\r\n"
    "LOCALMAP1 = \"a\\\"b\\\\c\";\n"
    "LOCALMAP2 = \"\"; LOCALMAP3=\"l\";LOCALMAP4=\"t!g\";\n"
    "LOCALMAP5 = \"x\"; LOCALMAP6 = \"y\"; LOCALMAP7 = \"z\";\n"
    "LOCALMAP8 = \"eight\"; LOCALMAP9 = \"ninenine\";\n"
    "LOCALMAP0 = \"zero\";\n";

char original[IMAGE_SIZE];  // progs_image before the round trip

// Writes the names of progs_image as a map list and parses it back: every
// byte must come back as it was, but those of the slots that the writer
// left out because a map list cannot store them exactly.
void RequireRoundTrip() {
  std::memcpy(original, progs_image, IMAGE_SIZE);
  bool left_out[MAP_SLOT_COUNT] = {};
  int first_left_out = -1;
  for (int n = MAP_SLOT_COUNT - 1; n >= 0; --n) {
    left_out[n] = MapNameFault(n) != nullptr;
    if (left_out[n]) first_left_out = n;
  }
  char list[MAP_LIST_SIZE];
  Require(WriteMapList(list, false) == first_left_out,
          "the first slot left out is reported");
  SetConfig(list);
  Require(ParseOnce(), "a written map list parses");
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    const int slot = SlotPosition(n);
    if (left_out[n]) {
      std::memcpy(progs_image + slot, original + slot, MAX_MAP_NAME + 1);
    }
  }
  Require(std::memcmp(progs_image, original, IMAGE_SIZE) == 0,
          "a written map list restores every byte");
  std::memcpy(progs_image, original, IMAGE_SIZE);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  SetImage(std::string(reinterpret_cast<const char*>(data), size));
  Require(progs_image[IMAGE_SIZE - 1] == '\0', "the image ends in NUL");
  FindMapSlots();
  // The driver stops here with "Bad progs.dat\n" and opens nothing more.
  if (!AllSlotsFound() || PlaceholdersOverlap()) return 0;
  RequireRoundTrip();

  SetConfig(MAP_LIST);
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    Require(
        SlotPosition(n) >= 0 && SlotPosition(n) + PLACEHOLDER_SIZE < IMAGE_SIZE,
        "a slot and its marker inside the kept bytes");
  }
  TakeSnapshot();
  const bool succeeded = ParseOnce();
  if (!succeeded) {
    // The list is valid, so only a name that completes a marker with the
    // bytes before its slot can fail it.
    Require(std::strncmp(fatal_message, "Bad map name at line ", 21) == 0,
            "only a planted marker fails the fixed list");
    RequireParserMessage();
  }
  RequireSlotsOnlyChanged(succeeded);
  return 0;
}
