// Fuzzes the slot finder and the run's in-memory steps: the input is the
// head of progs.dat; a fixed valid map list is applied when the driver
// would accept the slots.

#include <cstring>

#include "common.h"
#include "fuzz_support.h"
#include "slots.h"

namespace {

const char MAP_LIST[] =
    "// every slot, the longest name, escapes\n"
    "LOCALMAP0 = \"abcdefghijklmno\";\r\n"
    "LOCALMAP1 = \"a\\\"b\\\\c\";\n"
    "LOCALMAP2 = \"\"; LOCALMAP3=\"l\";LOCALMAP4=\"t!g\";\n"
    "LOCALMAP5 = \"x\"; LOCALMAP6 = \"y\"; LOCALMAP7 = \"z\";\n"
    "LOCALMAP8 = \"eight\"; LOCALMAP9 = \"ninenine\";\n"
    "LOCALMAP0 = \"zero\";\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  LoadBytes(progs_image, data, size);
  Require(progs_image[IMAGE_SIZE - 1] == '\0', "the image ends in NUL");
  FindMapSlots(progs_image);
  // The driver stops here with "Bad progs.dat\n" and opens nothing more.
  if (!AllSlotsFound() || PlaceholdersOverlap()) return 0;

  LoadBytes(config_text, reinterpret_cast<const std::uint8_t*>(MAP_LIST),
            sizeof MAP_LIST - 1);
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
