#include "slots.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr int NO_SLOT = -1;

int slot_table[MAP_SLOT_COUNT];  // position of each map slot, or NO_SLOT

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The five bytes at m read l, t, !, g, digit. The caller keeps m + 4
// inside the image.
bool IsMarkerAt(int m) {
  const char* marker = progs_image + m;
  return marker[0] == 'l' && marker[1] == 't' && marker[2] == '!' &&
         marker[3] == 'g' && IsDigit(marker[4]);
}

}  // namespace

int FindMarker(int start) {
  // Stop at each '!': far rarer than 't' in a program's strings.
  for (int q = start + 1; q < IMAGE_SIZE; ++q) {
    const void* bang = std::memchr(progs_image + q, '!',
                                   static_cast<std::size_t>(IMAGE_SIZE - q));
    if (bang == nullptr) return NOT_FOUND;
    q = static_cast<int>(static_cast<const char*>(bang) - progs_image);
    // The last byte is NUL, so a '!' found here is never the last.
    if (progs_image[q - 1] == 't' && progs_image[q + 1] == 'g') return q - 1;
  }
  return NOT_FOUND;
}

void FindMapSlots() {
  for (int& entry : slot_table) entry = NO_SLOT;
  for (int p = FindMarker(0); p != NOT_FOUND; p = FindMarker(p + 3)) {
    // A "t!g" closer to the start than SLOT_OFFSET would put its slot
    // before the image: it is passed over like one without its 'l'.
    if (p >= SLOT_OFFSET && IsMarkerAt(p - 1)) {
      slot_table[progs_image[p + 3] - '0'] = p - SLOT_OFFSET;
    }
  }
}

bool AllSlotsFound() {
  for (int entry : slot_table) {
    if (entry == NO_SLOT) return false;
  }
  return true;
}

bool PlaceholdersOverlap() {
  for (int i = 0; i < MAP_SLOT_COUNT; ++i) {
    for (int j = i + 1; j < MAP_SLOT_COUNT; ++j) {
      const int gap = slot_table[i] - slot_table[j];
      if (gap < PLACEHOLDER_SIZE && -gap < PLACEHOLDER_SIZE) return true;
    }
  }
  return false;
}

bool MarkerCovers(int first, int last) {
  const int from = first - (MARKER_SIZE - 1);
  for (int m = from < 0 ? 0 : from; m <= last; ++m) {
    if (IsMarkerAt(m)) return true;
  }
  return false;
}

void ClearMapSlots() {
  for (int entry : slot_table) progs_image[entry] = '\0';
}

int SlotPosition(int n) { return slot_table[n]; }
