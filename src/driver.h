#ifndef BPADMIN_DRIVER_H_
#define BPADMIN_DRIVER_H_

#include <cstddef>
#include <cstdio>

#include "common.h"

/// Bytes of the progs image written back: all but its final NUL.
inline constexpr int WRITE_BACK_SIZE = IMAGE_SIZE - 1;

/// Opens name for update in binary mode and reads its first IMAGE_SIZE
/// bytes into buffer, then NUL-terminates them at the byte after the last
/// read or at the buffer's last byte. Sets kept to the number of file bytes
/// left in buffer (at most WRITE_BACK_SIZE) and returns the open stream.
/// Ends the run through FatalError if the file cannot be opened or read.
std::FILE* LoadFile(const char* name, char* buffer, std::size_t& kept);

#endif  // BPADMIN_DRIVER_H_
