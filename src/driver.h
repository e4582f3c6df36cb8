#ifndef BPADMIN_DRIVER_H_
#define BPADMIN_DRIVER_H_

#include <cstddef>
#include <cstdio>

#include "common.h"
#include "slots.h"

/// Bytes of the progs image written back: all but its final NUL.
inline constexpr int WRITE_BACK_SIZE = IMAGE_SIZE - 1;

/// Opens the regular file at path, for update or for reading only, or ends
/// the run with "Cannot open PATH".
std::FILE* OpenFile(const char* path, bool for_update);

/// Reads the head of stream, opened from path, into buffer, ending it in
/// NUL; returns the bytes read, at most IMAGE_SIZE.
std::size_t ReadHead(std::FILE* stream, const char* path, char* buffer);

/// Ends the run with "Bad PATH" unless progs_image holds ten slots apart.
void RequireSlots(const char* path);

/// Whether a run prints "Reading PATH..." as it opens each file.
enum class Progress { kShown, kQuiet };

/// progs.dat as bpadmin holds it between its load and its write-back.
struct HeldProgs {
  std::FILE* stream;  // open for update
  std::size_t size;   // bytes read of it
};

/// The 16 bytes of each map slot.
using SlotBytes = char[MAP_SLOT_COUNT][MAX_MAP_NAME + 1];

/// bpadmin's run up to the write: progs opened for update and read, its
/// slots tested, the list opened as bpadmin opens it, read and applied to
/// progs_image. Keeps the slots' bytes from before in *before unless it is
/// nullptr. Ends the run on anything bpadmin refuses.
HeldProgs PrepareWrite(const char* progs, const char* list, Progress progress,
                       SlotBytes* before);

/// Writes progs_image's kept bytes over the head of progs, syncs and closes
/// it, or ends the run with "Cannot write progs.dat".
void WriteBack(const HeldProgs& progs);

#endif  // BPADMIN_DRIVER_H_
