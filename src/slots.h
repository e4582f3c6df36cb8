#ifndef BPADMIN_SLOTS_H_
#define BPADMIN_SLOTS_H_

#include "common.h"

/// Map slots that progs.dat reserves, numbered 0 to 9.
inline constexpr int MAP_SLOT_COUNT = 10;

/// A map slot starts this many bytes before the "t!g" of its marker: 16
/// bytes of slot, then the marker "lt!g<digit>".
inline constexpr int SLOT_OFFSET = 17;

/// Bytes of a slot marker: 'l', "t!g" and the slot's digit.
inline constexpr int MARKER_SIZE = 5;

/// Bytes of one placeholder: the map slot, then its marker.
inline constexpr int PLACEHOLDER_SIZE = MAX_MAP_NAME + 1 + MARKER_SIZE;

/// What FindMarker returns when no "t!g" is left.
inline constexpr int NOT_FOUND = -1;

/// Position of the next "t!g" at or after start in image (IMAGE_SIZE bytes,
/// last one NUL), or NOT_FOUND.
int FindMarker(const char* image, int start);

/// Fills the slot table from the markers in image; the last marker of a
/// digit wins. Call once, right after progs.dat is loaded.
void FindMapSlots(const char* image);

/// True when every slot number 0 to 9 has a marker.
bool AllSlotsFound();

/// True when two of the ten placeholders share a byte, so that writing one
/// slot would damage another's marker. Call only when AllSlotsFound().
bool PlaceholdersOverlap();

/// True when any of the bytes first to last of progs_image belongs to a
/// slot marker, counting the bytes before them too.
bool MarkerCovers(int first, int last);

/// Stores NUL in the first byte of each of the ten map slots of
/// progs_image. Call only when AllSlotsFound().
void ClearMapSlots();

/// Position in progs_image of map slot n (0 to 9). Valid only when
/// AllSlotsFound().
int SlotPosition(int n);

#endif  // BPADMIN_SLOTS_H_
