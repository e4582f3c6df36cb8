#ifndef BPADMIN_FUZZ_SUPPORT_H_
#define BPADMIN_FUZZ_SUPPORT_H_

#include <csetjmp>
#include <cstddef>
#include <cstdint>

/// Each fuzz target's entry: runs one input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

/// Where FatalError jumps back to: set it with setjmp before each run.
extern std::jmp_buf fatal_return;

/// The message of the last FatalError, formatted.
extern char fatal_message[256];

/// Ends the fuzz run with a report unless condition holds.
void Require(bool condition, const char* what);

/// Requires that fatal_message is one the map list parser may give.
void RequireParserMessage();

/// Runs ParseMapConfig. True when it succeeded; otherwise fatal_message
/// holds what it reported.
bool ParseOnce();

/// Records progs_image and the ten slot positions, before a parse.
void TakeSnapshot();

/// Checks a parse against the snapshot: no byte outside the ten slots
/// changed, and after a success every slot holds a terminated name and a
/// new scan finds the same ten slots.
void RequireSlotsOnlyChanged(bool succeeded);

#endif  // BPADMIN_FUZZ_SUPPORT_H_
