// Fuzzes the map list parser: the input is the bytes of bpmaps.cfg, parsed
// into a fixed image with ten valid slots.

#include "common.h"
#include "fuzz_support.h"
#include "slots.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  LoadValidProgs();
  LoadBytes(config_text, data, size);
  FindMapSlots();
  Require(AllSlotsFound() && !PlaceholdersOverlap(), "a valid fixed image");
  TakeSnapshot();
  const bool succeeded = ParseOnce();
  if (!succeeded) RequireParserMessage();
  RequireSlotsOnlyChanged(succeeded);
  return 0;
}
