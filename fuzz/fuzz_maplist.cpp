// Fuzzes the map list parser: the input is the bytes of bpmaps.cfg, parsed
// into a fixed image with ten valid slots.

#include <string>

#include "common.h"
#include "fuzz_support.h"
#include "slots.h"
#include "test_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  static const std::string progs = MakeProgs();
  SetImage(progs);
  SetConfig(std::string(reinterpret_cast<const char*>(data), size));
  FindMapSlots();
  Require(AllSlotsFound() && !PlaceholdersOverlap(), "a valid fixed image");
  TakeSnapshot();
  const bool succeeded = ParseOnce();
  if (!succeeded) RequireParserMessage();
  RequireSlotsOnlyChanged(succeeded);
  return 0;
}
