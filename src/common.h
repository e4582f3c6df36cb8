#ifndef BPADMIN_COMMON_H_
#define BPADMIN_COMMON_H_

/// Bytes held of each file: the head of the file, then at least one NUL.
inline constexpr int IMAGE_SIZE = 16384;

/// Most characters of a map name; a map slot holds them and a NUL.
inline constexpr int MAX_MAP_NAME = 15;

/// The head of progs.dat, filled by the driver. Its last byte is always
/// NUL, so no scan for a marker can run off its end.
extern char progs_image[IMAGE_SIZE];

/// The head of bpmaps.cfg, filled by the driver, ending in NUL like
/// progs_image.
extern char config_text[IMAGE_SIZE];

/// Prints "Error: " and the message on stderr, after what stdout holds, then
/// ends the run with status 1 through EndRun.
[[noreturn, gnu::format(printf, 1, 2)]] void FatalError(const char* format,
                                                        ...);

/// Ends the run with status through exit(), so that what stdout holds is
/// still written out: the one way every run ends, so that a console window
/// of the run's own stays open for its last lines.
[[noreturn]] void EndRun(int status);

#endif  // BPADMIN_COMMON_H_
