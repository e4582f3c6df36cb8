// bpadmin: stores the map names of bpmaps.cfg into the ten map slots of
// progs.dat, both in the current folder, in place. Takes no arguments.

#include <cstdio>

#include "common.h"
#include "driver.h"

int main() {
  StartRun();  // a closed stdout is the null device: the names go in anyway
  Print(stdout, "Brawlpit Admin Tool v1.0\n");
  const HeldProgs progs =
      PrepareWrite("progs.dat", "bpmaps.cfg", Progress::kShown, nullptr);
  Print(stdout, "Writing progs.dat...\n");
  // Lost console output stops the run while progs.dat is still untouched.
  RequireStandardOutput();
  WriteBack(progs);
  Print(stdout, "Done.\n");
  EndRun(0);
}
