// Fuzzes the map list parser: the input is the bytes of bpmaps.cfg, parsed
// into a fixed image with ten valid slots.

#include <cstring>

#include "fuzz_support.h"
// The parser's own source, so that its line count, which the tool never
// resets, can start again at 1 for each input.
#include "maplist.cpp"  // NOLINT(bugprone-suspicious-include)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  LoadValidProgs();
  LoadBytes(config_text, data, size);
  FindMapSlots(progs_image);
  Require(AllSlotsFound() && !PlaceholdersOverlap(), "a valid fixed image");
  static char before[IMAGE_SIZE];
  int slots[MAP_SLOT_COUNT];
  std::memcpy(before, progs_image, IMAGE_SIZE);
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) slots[n] = SlotPosition(n);

  line_number = 1;
  bool succeeded = false;
  if (setjmp(fatal_return) == 0) {
    ParseMapConfig();
    succeeded = true;
  } else {
    RequireParserMessage();
  }
  RequireSlotsOnlyChanged(before, slots, succeeded);
  return 0;
}
