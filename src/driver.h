#ifndef BPADMIN_DRIVER_H_
#define BPADMIN_DRIVER_H_

#include <cstddef>
#include <cstdio>

#include "common.h"

/// Bytes of the progs image written back: all but its final NUL.
inline constexpr int WRITE_BACK_SIZE = IMAGE_SIZE - 1;

/// How LoadFile opens a file.
enum class Load {
  kForUpdate,  // for reading and writing, as bpadmin opens both files
  kReadOnly,   // for reading only
};

/// Opens path as how says and reads its head into buffer; got: the bytes read.
std::FILE* LoadFile(const char* path, char* buffer, Load how, bool announce,
                    std::size_t& got);

/// Ends the run with "Bad PATH" unless progs_image holds ten slots apart.
void RequireSlots(const char* path);

/// Loads config_text from path, as bpadmin opens it; refuses a longer list.
void LoadMapList(const char* path, bool announce);

/// Writes progs_image's kept bytes over progs's head, syncs and closes it.
void WriteBack(std::FILE* progs, std::size_t got);

/// Ends the run unless everything printed so far has reached stdout.
void FlushStandardOutput();

#endif  // BPADMIN_DRIVER_H_
