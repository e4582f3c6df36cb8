#ifndef BPADMIN_MAPLIST_H_
#define BPADMIN_MAPLIST_H_

/// Empties the ten map slots, then parses config_text and stores every map
/// name it gives into its slot of progs_image. Call once, after all ten
/// slots are found. Ends the run through FatalError on the first fault.
void ParseMapConfig();

#endif  // BPADMIN_MAPLIST_H_
