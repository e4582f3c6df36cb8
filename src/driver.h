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

/// Opens path as how says, prints "Reading PATH..." if announce, and reads up
/// to IMAGE_SIZE bytes into buffer, keeping at most WRITE_BACK_SIZE before a
/// NUL. Sets got to the count read; returns the open stream. Ends the run on
/// failure.
std::FILE* LoadFile(const char* path, char* buffer, Load how, bool announce,
                    std::size_t& got);

/// Ends the run with "Bad PATH" unless progs_image, loaded from path, holds
/// ten slots apart.
void RequireSlots(const char* path);

/// Loads the map list at path into config_text as bpadmin opens it, closes
/// it, and ends the run if it is longer than WRITE_BACK_SIZE bytes.
void LoadMapList(const char* path, bool announce);

/// Writes what progs_image keeps of got bytes over the head of progs, syncs
/// and closes it. Never lengthens the file; ends the run on any failure.
void WriteBack(std::FILE* progs, std::size_t got);

/// Ends the run unless everything printed so far has reached stdout.
void FlushStandardOutput();

#endif  // BPADMIN_DRIVER_H_
