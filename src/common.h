#ifndef BPADMIN_COMMON_H_
#define BPADMIN_COMMON_H_

#include <cstdarg>
#include <cstdio>

/// Bytes held of each file: the head of the file, then at least one NUL.
inline constexpr int IMAGE_SIZE = 16384;

/// Most characters of a map name; a map slot holds them and a NUL.
inline constexpr int MAX_MAP_NAME = 15;

/// Room for one console line that names a path, the longest a system opens.
inline constexpr int LINE_SIZE = 4608;

/// The head of progs.dat; its last byte stays NUL, so no scan runs off it.
extern char progs_image[IMAGE_SIZE];

/// The head of bpmaps.cfg, ending in NUL like progs_image.
extern char config_text[IMAGE_SIZE];

/// The control byte above the printable ones.
inline constexpr unsigned char DEL = 0x7F;

/// True for a byte a terminal takes as a control: below 0x20, and DEL.
inline bool IsControlByte(unsigned char c) { return c < ' ' || c == DEL; }

/// Formats one line into out, each control character but its final LF as
/// '?': C0, DEL, and C1 in UTF-8. A line cut short still ends in LF.
[[gnu::format(printf, 2, 3)]] void FormatLine(char (&out)[LINE_SIZE],
                                              const char* format, ...);

/// FormatLine with the arguments of a variadic caller.
[[gnu::format(printf, 2, 0)]] void FormatLineV(char (&out)[LINE_SIZE],
                                               const char* format,
                                               va_list args);

/// Formats text as printf does and writes it to stream through WriteText.
[[gnu::format(printf, 2, 3)]] void Print(std::FILE* stream, const char* format,
                                         ...);

/// Has FatalError print, after its own line, the line note() gives then.
void AddErrorNote(const char* (*note)());

/// Prints "Error: " and the line on stderr, after stdout, then EndRun(1).
[[noreturn, gnu::format(printf, 1, 2)]] void FatalError(const char* format,
                                                        ...);

/// Ends the run unless everything printed so far has reached stdout.
void RequireStandardOutput();

/// Guards the standard streams and ignores the write signals, or ends the
/// run; true when standard output was closed, and is now the null device.
bool StartRun();

/// Ends the run with status, failing one that lost output on stdout: the
/// one way every run ends.
[[noreturn]] void EndRun(int status);

#endif  // BPADMIN_COMMON_H_
