// bpadmin: stores the map names of bpmaps.cfg into the ten map slots of
// progs.dat, both in the current folder, in place. Takes no arguments.

#include <cstdio>

#include "common.h"
#include "driver.h"
#include "maplist.h"
#include "platform.h"

int main() {
  bool stdout_was_closed = false;  // the null device takes its place
  if (!GuardStandardStreams(stdout_was_closed)) return 1;
  IgnoreWriteSignals();
  std::printf("Brawlpit Admin Tool v1.0\n");
  std::size_t progs_size = 0;
  std::FILE* progs =
      LoadFile("progs.dat", progs_image, Load::kForUpdate, true, progs_size);
  RequireSlots("progs.dat");
  LoadMapList("bpmaps.cfg", true);
  ParseMapConfig();
  std::printf("Writing progs.dat...\n");
  // Lost console output stops the run while progs.dat is still untouched.
  FlushStandardOutput();
  WriteBack(progs, progs_size);
  std::printf("Done.\n");
  FlushStandardOutput();
  EndRun(0);
}
