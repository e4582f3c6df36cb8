// Prints the ten map names of two progs.dat files side by side, one line
// per slot, so the demo can show what a run of bpadmin changed. It finds
// the slots with bpadmin's own slot finder.
//
// Usage: show_maps BEFORE AFTER

#include <cstdio>
#include <cstring>
#include <string>

#include "common.h"
#include "slots.h"

namespace {

// The ten names of the progs.dat at path, or false when it has no ten slots.
bool ReadNames(const char* path, std::string (&names)[MAP_SLOT_COUNT]) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  std::memset(progs_image, 0, IMAGE_SIZE);
  const std::size_t got = std::fread(progs_image, 1, IMAGE_SIZE - 1, file);
  std::fclose(file);
  FindMapSlots(progs_image);
  if (got == 0 || !AllSlotsFound()) return false;
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    const char* slot = progs_image + SlotPosition(n);
    names[n].assign(slot, strnlen(slot, MAX_MAP_NAME + 1));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string before[MAP_SLOT_COUNT];
  std::string after[MAP_SLOT_COUNT];
  if (argc != 3) {
    std::fputs("usage: show_maps BEFORE AFTER\n", stderr);
    return 2;
  }
  for (int i : {1, 2}) {
    if (!ReadNames(argv[i], i == 1 ? before : after)) {
      std::fprintf(stderr, "show_maps: no ten map slots in %s\n", argv[i]);
      return 1;
    }
  }
  std::printf("slot  %-16s  %s\n", "before", "after");
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    std::printf("%4d  %-16s  %s\n", n, before[n].c_str(), after[n].c_str());
  }
  return 0;
}
