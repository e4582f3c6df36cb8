#ifndef BPADMIN_MAPLIST_H_
#define BPADMIN_MAPLIST_H_

#include "common.h"

/// Empties the ten map slots, then parses config_text and stores every map
/// name it gives into its slot of progs_image. Call once, after all ten
/// slots are found. Ends the run through FatalError on the first fault.
void ParseMapConfig();

/// Room for any string QuoteMapName writes: two quotes, each byte of a
/// whole slot as \xHH, and a NUL.
inline constexpr int QUOTED_NAME_SIZE = 2 + 4 * (MAX_MAP_NAME + 1) + 1;

/// Writes the name in map slot n of progs_image (its bytes up to the first
/// NUL, all 16 when there is none) into out as a map list string: in double
/// quotes, with '"' and '\' escaped and every other byte as it is, or with
/// visible, every byte below 0x20 or from 0x7F on as \xHH, for a reader.
/// Call only when all ten slots are found.
void QuoteMapName(int n, bool visible, char (&out)[QUOTED_NAME_SIZE]);

/// Why an entry of a map list could not store exactly what map slot n of
/// progs_image holds, as words to print, or nullptr when it could.
const char* MapNameFault(int n);

/// Room for what WriteMapList writes.
inline constexpr int MAP_LIST_SIZE = 1024;

/// Writes a map list of the ten names of progs_image into out, a line per
/// slot from 0 to 9, each ending in LF, that ParseMapConfig reads back into
/// the same bytes: an entry for each slot it can store exactly, a comment
/// saying why for each other. Returns the first such other slot, or -1.
int WriteMapList(char (&out)[MAP_LIST_SIZE]);

#endif  // BPADMIN_MAPLIST_H_
