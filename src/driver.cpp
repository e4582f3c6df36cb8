#include "driver.h"

#include <cstdio>
#include <cstring>

#include "common.h"
#include "maplist.h"
#include "platform.h"
#include "slots.h"

namespace {

// Of got bytes read, those that a buffer keeps before its NUL.
std::size_t Kept(std::size_t got) {
  return got < WRITE_BACK_SIZE ? got : WRITE_BACK_SIZE;
}

void Announce(Progress progress, const char* path) {
  if (progress == Progress::kShown) Print(stdout, "Reading %s...\n", path);
}

}  // namespace

std::FILE* OpenFile(const char* path, bool for_update) {
  std::FILE* stream = OpenRegularFile(path, for_update);
  if (stream == nullptr) FatalError("Cannot open %s\n", path);
  // Both transfers are whole blocks, so a stream buffer would only split
  // them: unbuffered, the head is one read and the write-back one write.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  return stream;
}

std::size_t ReadHead(std::FILE* stream, const char* path, char* buffer) {
  const std::size_t got = std::fread(buffer, 1, IMAGE_SIZE, stream);
  if (std::ferror(stream) != 0) FatalError("Cannot read %s\n", path);
  // A full read gives up its last byte, so the buffer always ends in NUL.
  buffer[Kept(got)] = '\0';
  return got;
}

void RequireSlots(const char* path) {
  FindMapSlots();
  if (!AllSlotsFound() || PlaceholdersOverlap()) FatalError("Bad %s\n", path);
}

HeldProgs PrepareWrite(const char* progs, const char* list, Progress progress,
                       SlotBytes* before) {
  std::FILE* stream = OpenFile(progs, true);
  Announce(progress, progs);
  const HeldProgs held = {stream, ReadHead(stream, progs, progs_image)};
  RequireSlots(progs);
  std::FILE* list_stream = OpenFile(list, true);
  Announce(progress, list);
  const std::size_t list_size = ReadHead(list_stream, list, config_text);
  std::fclose(list_stream);  // only read: nothing to lose
  // Entries past the kept head would be lost without a word.
  if (list_size > WRITE_BACK_SIZE) {
    FatalError("%s is longer than %d bytes\n", list, WRITE_BACK_SIZE);
  }
  if (before != nullptr) {
    for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
      std::memcpy((*before)[n], progs_image + SlotPosition(n),
                  MAX_MAP_NAME + 1);
    }
  }
  ParseMapConfig();
  return held;
}

void WriteBack(const HeldProgs& progs) {
  const std::size_t size = Kept(progs.size);
  // Every step is checked, so a failed write is never reported as done.
  const bool written =
      std::fseek(progs.stream, 0, SEEK_SET) == 0 &&
      std::fwrite(progs_image, 1, size, progs.stream) == size &&
      std::fflush(progs.stream) == 0 && SyncFile(progs.stream);
  if (std::fclose(progs.stream) != 0 || !written) {
    FatalError("Cannot write %s\n", "progs.dat");
  }
}
