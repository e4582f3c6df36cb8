// Fuzzes the map list parser: the input is the bytes of bpmaps.cfg, parsed
// into a fixed image with ten valid slots.

#include "fuzz_support.h"
// The parser's own source, so that its line count, which the tool never
// resets, can start again at 1 for each input.
#include "maplist.cpp"  // NOLINT(bugprone-suspicious-include)
#include "parse_once.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  LoadValidProgs();
  LoadBytes(config_text, data, size);
  FindMapSlots(progs_image);
  Require(AllSlotsFound() && !PlaceholdersOverlap(), "a valid fixed image");
  TakeSnapshot();
  const bool succeeded = ParseOnce();
  if (!succeeded) RequireParserMessage();
  RequireSlotsOnlyChanged(succeeded);
  return 0;
}
