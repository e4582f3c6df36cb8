#ifndef BPADMIN_DRIVER_H_
#define BPADMIN_DRIVER_H_

#include <cstddef>
#include <cstdio>

#include "common.h"

/// Bytes of the progs image written back: all but its final NUL.
inline constexpr int WRITE_BACK_SIZE = IMAGE_SIZE - 1;

/// How LoadFile opens a file.
enum class Load {
  kForUpdate,     // for reading and writing, announced by "Reading %s..."
  kReadOnly,      // only for reading, silently
  kAsIfUpdating,  // only for reading, silently, and refused wherever an
                  // open for update would be refused
};

/// Opens name as how says and reads its first IMAGE_SIZE bytes into
/// buffer, then NUL-terminates them at the byte after the last read or at
/// the buffer's last byte. Sets kept to the number of file bytes left in
/// buffer (at most WRITE_BACK_SIZE) and returns the open stream. Ends the
/// run through FatalError if the file cannot be opened or read.
std::FILE* LoadFile(const char* name, char* buffer, std::size_t& kept,
                    Load how);

/// Ends the run unless the ten slots of progs_image are all found and no
/// two of their placeholders overlap. Call once, right after loading it.
void RequireSlots();

/// Writes the first size bytes of progs_image over the head of the stream
/// progs came from, hands them to storage and closes the file. Never
/// lengthens the file; ends the run if any step fails.
void WriteBack(std::FILE* progs, std::size_t size);

/// Ends the run unless everything printed so far has reached stdout.
void FlushStandardOutput();

#endif  // BPADMIN_DRIVER_H_
