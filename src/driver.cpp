#include "driver.h"

#include <cstdio>

#include "common.h"
#include "platform.h"
#include "slots.h"

std::FILE* LoadFile(const char* name, char* buffer, std::size_t& kept,
                    Load how) {
  std::FILE* stream = OpenRegularFile(name, how == Load::kForUpdate);
  if (how == Load::kAsIfUpdating && stream != nullptr && !MayWrite(name)) {
    std::fclose(stream);
    stream = nullptr;
  }
  if (stream == nullptr) FatalError("Cannot open %s\n", name);
  // Both transfers are whole blocks, so a stream buffer would only split
  // them: unbuffered, the head is one read and the write-back one write.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  if (how == Load::kForUpdate) std::printf("Reading %s...\n", name);
  const std::size_t got = std::fread(buffer, 1, IMAGE_SIZE, stream);
  if (std::ferror(stream) != 0) FatalError("Cannot read %s\n", name);
  // A full read gives up its last byte, so the buffer always ends in NUL.
  kept = got < WRITE_BACK_SIZE ? got : WRITE_BACK_SIZE;
  buffer[kept] = '\0';
  return stream;
}

void RequireSlots() {
  FindMapSlots(progs_image);
  if (!AllSlotsFound() || PlaceholdersOverlap()) {
    FatalError("Bad progs.dat\n");
  }
}

void WriteBack(std::FILE* progs, std::size_t size) {
  // Every step is checked, so a failed write is never reported as done.
  const bool written = std::fseek(progs, 0, SEEK_SET) == 0 &&
                       std::fwrite(progs_image, 1, size, progs) == size &&
                       std::fflush(progs) == 0 && SyncFile(progs);
  if (std::fclose(progs) != 0 || !written) {
    FatalError("Cannot write %s\n", "progs.dat");
  }
}

void FlushStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    FatalError("Cannot write standard output\n");
  }
}
