#ifndef BPADMIN_PLATFORM_H_
#define BPADMIN_PLATFORM_H_

#include <cstdio>

/// Makes sure descriptors 0 to 2 are open, on the null device where they
/// were closed, so that no file the run opens can take their place and
/// receive console text. False when that fails. Call first thing in main.
bool GuardStandardStreams();

/// Makes a write past the file-size limit, or to a pipe whose reader is
/// gone, fail with an error instead of ending the process by a signal.
void IgnoreWriteSignals();

/// Opens name in binary mode, for update or only for reading, without ever
/// waiting on it, and returns the stream only when it is a regular file;
/// nullptr otherwise.
std::FILE* OpenRegularFile(const char* name, bool for_update);

/// True when this process could open name for writing, judged without
/// opening it so: permissions, a read-only attribute or a read-only mount.
bool MayWrite(const char* name);

/// Hands what was written to stream over to storage. False when the
/// system reports that it could not.
bool SyncFile(std::FILE* stream);

/// When the run has a console window of its own, as a double-click in
/// Explorer gives it, asks for Enter before that window closes with the
/// process, so its last lines can be read; returns at once otherwise, and
/// always on POSIX. Call only as the run ends.
void HoldOwnConsoleWindow();

#endif  // BPADMIN_PLATFORM_H_
