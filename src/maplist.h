#ifndef BPADMIN_MAPLIST_H_
#define BPADMIN_MAPLIST_H_

#include "common.h"

/// Empties the ten map slots, then stores each name of config_text in its
/// slot of progs_image. Needs AllSlotsFound(); ends the run on any fault.
void ParseMapConfig();

/// True when config_text starts with a byte order mark or reads as UTF-16.
bool MapListIsUtf16();

/// Room for any string QuoteMapName writes: each byte of a slot as \xHH.
inline constexpr int QUOTED_NAME_SIZE = 2 + 4 * (MAX_MAP_NAME + 1) + 1;

/// Writes slot n's name into out as a map list string; with visible, each
/// byte below 0x20 or from 0x7F as \xHH. True when it wrote one so.
bool QuoteMapName(int n, bool visible, char (&out)[QUOTED_NAME_SIZE]);

/// Why a map list cannot store exactly what slot n holds, or nullptr.
const char* MapNameFault(int n);

/// Room for what WriteMapList writes.
inline constexpr int MAP_LIST_SIZE = 1024;

/// Writes the map list of the ten slots into out, that ParseMapConfig reads
/// back into the same bytes: an entry for each slot it can store exactly, a
/// comment saying why for each other. With visible, names as QuoteMapName
/// shows them, and a last comment when that changed a byte. Returns the first
/// slot left out, or -1.
int WriteMapList(char (&out)[MAP_LIST_SIZE], bool visible);

#endif  // BPADMIN_MAPLIST_H_
