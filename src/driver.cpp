#include "driver.h"

#include <cstdio>

#include "common.h"
#include "platform.h"
#include "slots.h"

namespace {

// Of got bytes read, those that a buffer keeps before its NUL.
std::size_t Kept(std::size_t got) {
  return got < WRITE_BACK_SIZE ? got : WRITE_BACK_SIZE;
}

}  // namespace

std::FILE* LoadFile(const char* path, char* buffer, Load how, bool announce,
                    std::size_t& got) {
  std::FILE* stream = OpenRegularFile(path, how == Load::kForUpdate);
  if (stream == nullptr) FatalError("Cannot open %s\n", path);
  // Both transfers are whole blocks, so a stream buffer would only split
  // them: unbuffered, the head is one read and the write-back one write.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  if (announce) Print(stdout, "Reading %s...\n", path);
  got = std::fread(buffer, 1, IMAGE_SIZE, stream);
  if (std::ferror(stream) != 0) FatalError("Cannot read %s\n", path);
  // A full read gives up its last byte, so the buffer always ends in NUL.
  buffer[Kept(got)] = '\0';
  return stream;
}

void RequireSlots(const char* path) {
  FindMapSlots();
  if (!AllSlotsFound() || PlaceholdersOverlap()) FatalError("Bad %s\n", path);
}

void LoadMapList(const char* path, bool announce) {
  std::size_t got = 0;
  std::fclose(LoadFile(path, config_text, Load::kForUpdate, announce, got));
  // Entries past the kept head would be lost without a word.
  if (got > WRITE_BACK_SIZE) {
    FatalError("%s is longer than %d bytes\n", path, WRITE_BACK_SIZE);
  }
}

void WriteBack(std::FILE* progs, std::size_t got) {
  const std::size_t size = Kept(got);
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
