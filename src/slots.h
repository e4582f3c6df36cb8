#ifndef BPADMIN_SLOTS_H_
#define BPADMIN_SLOTS_H_

#include "common.h"

/// Map slots that progs.dat reserves, numbered 0 to 9.
inline constexpr int MAP_SLOT_COUNT = 10;

/// A map slot starts this many bytes before the "t!g" of its marker.
inline constexpr int SLOT_OFFSET = 17;

/// Bytes of a slot marker: 'l', "t!g" and the slot's digit.
inline constexpr int MARKER_SIZE = 5;

/// Bytes of one placeholder: the map slot, then its marker.
inline constexpr int PLACEHOLDER_SIZE = MAX_MAP_NAME + 1 + MARKER_SIZE;

/// What FindMarker returns when no "t!g" is left.
inline constexpr int NOT_FOUND = -1;

/// Position of the next "t!g" of progs_image at or after start, or NOT_FOUND.
int FindMarker(int start);

/// Fills the slot table from the markers of progs_image; the last one wins.
void FindMapSlots();

/// True when every slot number 0 to 9 has a marker.
bool AllSlotsFound();

/// True when two of the ten placeholders share a byte. Needs AllSlotsFound().
bool PlaceholdersOverlap();

/// True when a slot marker of progs_image covers any byte of first to last.
bool MarkerCovers(int first, int last);

/// Stores NUL in the first byte of each map slot. Needs AllSlotsFound().
void ClearMapSlots();

/// Position in progs_image of map slot n (0 to 9). Needs AllSlotsFound().
int SlotPosition(int n);

#endif  // BPADMIN_SLOTS_H_
