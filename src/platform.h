#ifndef BPADMIN_PLATFORM_H_
#define BPADMIN_PLATFORM_H_

#include <cstdio>

/// Opens the null device on closed standard streams, or ends the run; true
/// when standard output was one of them.
bool GuardStandardStreams();

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

/// Writes text to stream: a console shows it as UTF-8, a file gets its bytes.
void WriteText(std::FILE* stream, const char* text);

/// Asks for Enter before a console window of the run's own, which a person
/// sees, closes with it.
void HoldOwnConsoleWindow();

/// True when word asks for help in this system's own way ("/?" on Windows).
bool IsPlatformHelpWord(const char* word);

#endif  // BPADMIN_PLATFORM_H_
