#include "driver.h"

#include <cstdio>

#include "common.h"
#include "maplist.h"
#include "platform.h"
#include "slots.h"

std::FILE* LoadFile(const char* name, char* buffer, std::size_t& kept) {
  std::FILE* stream = OpenRegularFile(name);
  if (stream == nullptr) FatalError("Cannot open %s\n", name);
  // Both transfers are whole blocks, so a stream buffer would only split
  // them: unbuffered, the head is one read and the write-back one write.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  std::printf("Reading %s...\n", name);
  const std::size_t got = std::fread(buffer, 1, IMAGE_SIZE, stream);
  if (std::ferror(stream) != 0) FatalError("Cannot read %s\n", name);
  // A full read gives up its last byte, so the buffer always ends in NUL.
  kept = got < WRITE_BACK_SIZE ? got : WRITE_BACK_SIZE;
  buffer[kept] = '\0';
  return stream;
}

namespace {

// Ends the run unless everything printed so far has reached stdout.
void FlushStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    FatalError("Cannot write standard output\n");
  }
}

// Writes the first size bytes of progs_image over the head of progs.dat,
// hands them to storage and closes the file. Never lengthens the file, and
// every step is checked so a failed write is never reported as done.
void WriteBack(std::FILE* progs, std::size_t size) {
  const bool written = std::fseek(progs, 0, SEEK_SET) == 0 &&
                       std::fwrite(progs_image, 1, size, progs) == size &&
                       std::fflush(progs) == 0 && SyncFile(progs);
  if (std::fclose(progs) != 0 || !written) {
    FatalError("Cannot write %s\n", "progs.dat");
  }
}

}  // namespace

int main() {
  if (!GuardStandardStreams()) return 1;
  IgnoreWriteSignals();
  std::printf("Brawlpit Admin Tool v1.0\n");
  std::size_t progs_size = 0;
  std::FILE* progs = LoadFile("progs.dat", progs_image, progs_size);
  FindMapSlots(progs_image);
  if (!AllSlotsFound() || PlaceholdersOverlap()) {
    FatalError("Bad progs.dat\n");
  }
  std::size_t config_size = 0;
  std::fclose(LoadFile("bpmaps.cfg", config_text, config_size));
  ParseMapConfig();
  std::printf("Writing progs.dat...\n");
  // Lost console output stops the run while progs.dat is still untouched.
  FlushStandardOutput();
  WriteBack(progs, progs_size);
  std::printf("Done.\n");
  FlushStandardOutput();
  return 0;
}
