#ifndef BPADMIN_MAPLIST_H_
#define BPADMIN_MAPLIST_H_

#include "common.h"

/// Empties the ten slots, then stores each name config_text gives in its slot.
void ParseMapConfig();

/// True when config_text starts with a byte order mark or reads as UTF-16.
bool MapListIsUtf16();

/// Room for any string QuoteMapName writes: each byte of a slot as \xHH.
inline constexpr int QUOTED_NAME_SIZE = 2 + 4 * (MAX_MAP_NAME + 1) + 1;

/// Quotes the name in the 16 bytes of a slot into out; true when visible
/// showed a byte as \xHH.
bool QuoteMapName(const char* slot, bool visible,
                  char (&out)[QUOTED_NAME_SIZE]);

/// Why a map list cannot store exactly what slot n holds, or nullptr.
const char* MapNameFault(int n);

/// Room for what WriteMapList writes: ten lines and the closing comment.
inline constexpr int MAP_LIST_SIZE = 1024;

/// Writes the ten slots as a map list that reads back into the same bytes, a
/// comment for each slot it cannot store; returns the first of those, or -1.
int WriteMapList(char (&out)[MAP_LIST_SIZE], bool visible);

#endif  // BPADMIN_MAPLIST_H_
