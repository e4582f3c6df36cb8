#ifndef BPADMIN_PLATFORM_H_
#define BPADMIN_PLATFORM_H_

#include <cstdio>

/// Opens the null device on closed descriptors 0 to 2; notes if 1 was closed.
bool GuardStandardStreams(bool& stdout_was_closed);

/// Makes a write past the file-size limit or into a lone pipe fail, not kill.
void IgnoreWriteSignals();

/// Replaces argv by the command line's own words in UTF-8, where they differ.
void UseUtf8Arguments(int& argc, char**& argv);

/// Opens the regular file at path without waiting on it; nullptr otherwise.
std::FILE* OpenRegularFile(const char* path, bool for_update);

/// Hands what was written to stream to storage; false when that failed.
bool SyncFile(std::FILE* stream);

/// True when stream is a terminal or a console, which a person reads.
bool IsTerminal(std::FILE* stream);

/// Asks for Enter before a console window of the run's own closes with it.
void HoldOwnConsoleWindow();

#endif  // BPADMIN_PLATFORM_H_
