#ifndef BPADMIN_PLATFORM_H_
#define BPADMIN_PLATFORM_H_

#include <cstdio>

/// Opens descriptors 0 to 2 on the null device where they were closed, so no
/// file the run opens takes their place; notes whether stdout was. Call first.
bool GuardStandardStreams(bool& stdout_was_closed);

/// Makes a write past the file-size limit or into a lone pipe fail, not kill.
void IgnoreWriteSignals();

/// Replaces argv by the command line's words in UTF-8 where the system's own
/// words are UTF-16 (Windows), so that every path it can name reaches the run.
void UseUtf8Arguments(int& argc, char**& argv);

/// Opens the regular file at path (UTF-8) in binary mode, for update or for
/// reading, never waiting on it; nullptr for anything else or on failure.
std::FILE* OpenRegularFile(const char* path, bool for_update);

/// Hands what was written to stream to storage; false when that failed.
bool SyncFile(std::FILE* stream);

/// True when stream is a terminal or a console, which a person reads.
bool IsTerminal(std::FILE* stream);

/// Asks for Enter before a console window of the run's own closes with it, as
/// after a double-click; returns at once otherwise. Call only as the run ends.
void HoldOwnConsoleWindow();

#endif  // BPADMIN_PLATFORM_H_
