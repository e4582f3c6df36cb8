// bpadmin: stores the map names of bpmaps.cfg into the ten map slots of
// progs.dat, both in the current folder, in place. Takes no arguments.

#include <cstdio>

#include "common.h"
#include "driver.h"
#include "maplist.h"
#include "platform.h"

int main() {
  StartRun();  // a closed stdout is the null device: the names go in anyway
  Print(stdout, "Brawlpit Admin Tool v1.0\n");
  std::size_t progs_size = 0;
  std::FILE* progs =
      LoadFile("progs.dat", progs_image, Load::kForUpdate, true, progs_size);
  RequireSlots("progs.dat");
  LoadMapList("bpmaps.cfg", true);
  ParseMapConfig();
  Print(stdout, "Writing progs.dat...\n");
  // Lost console output stops the run while progs.dat is still untouched.
  FlushStandardOutput();
  WriteBack(progs, progs_size);
  Print(stdout, "Done.\n");
  FlushStandardOutput();
  EndRun(0);
}
