// bpmaps: shows the ten map names of a progs.dat as a map list, and what
// bpadmin would do with a map list on it. It only ever reads.

#include <cstdio>
#include <cstring>

#include "common.h"
#include "driver.h"
#include "maplist.h"
#include "platform.h"
#include "slots.h"

namespace {

constexpr char USAGE[] =
    "Usage: bpmaps show [PROGS] | check [LIST [PROGS]] | --help | --version\n";

constexpr char HELP[] =
    "\n"
    "Shows the map names of a Brawlpit progs.dat and tries a map list on it.\n"
    "It only reads: no file is ever written.\n"
    "\n"
    "  show [PROGS]          print the ten map names of PROGS (default:\n"
    "                        progs.dat) as a map list that bpadmin reads back\n"
    "  check [LIST [PROGS]]  say what bpadmin would do with the map list LIST\n"
    "                        (default: bpmaps.cfg) on PROGS, in its words\n"
    "  --help                print this help\n"
    "  --version             print the version\n";

// Loads progs.dat as bpmaps reads it and ends the run unless bpadmin would
// accept its slots.
void LoadProgs(const char* path, Load how) {
  std::size_t kept = 0;
  std::fclose(LoadFile(path, progs_image, kept, how));
  RequireSlots();
}

// Prints the map list of progs_image, loaded from path, then fails if any
// slot of it could not be written back by that list.
void Show(const char* path) {
  char list[MAP_LIST_SIZE];
  const int fault = WriteMapList(list);
  // A control byte of the path, a line feed above all, would end the
  // comment early.
  std::fputs("// Map list of ", stdout);
  for (const char* c = path; *c != '\0'; ++c) {
    std::putchar(static_cast<unsigned char>(*c) < ' ' ? '?' : *c);
  }
  std::fputs(", written by bpmaps show\n", stdout);
  std::fputs(list, stdout);
  FlushStandardOutput();
  if (fault >= 0) FatalError("Map slot %d cannot be written back\n", fault);
}

// Applies the map list at list_path to progs_image in memory, as bpadmin
// would, and prints each slot's name before and after.
void Check(const char* list_path) {
  std::size_t kept = 0;
  std::fclose(LoadFile(list_path, config_text, kept, Load::kAsIfUpdating));
  char now[MAP_SLOT_COUNT][QUOTED_NAME_SIZE];
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) QuoteMapName(n, true, now[n]);
  ParseMapConfig();
  std::printf("  slot  %-18s %s\n", "now", "after");
  int changes = 0;
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    char after[QUOTED_NAME_SIZE];
    QuoteMapName(n, true, after);
    // The parser stores a name and its NUL and keeps the rest of the slot,
    // so the slot's bytes change exactly when its quoted name does.
    const bool changed = std::strcmp(now[n], after) != 0;
    changes += changed ? 1 : 0;
    std::printf("%c %4d  %-18s %s\n", changed ? '*' : ' ', n, now[n], after);
  }
  std::printf("Slots that change: %d of %d.\n", changes, MAP_SLOT_COUNT);
  FlushStandardOutput();
}

bool Is(const char* arg, const char* word) {
  return std::strcmp(arg, word) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!GuardStandardStreams()) return 1;
  IgnoreWriteSignals();
  const char* command = argc > 1 ? argv[1] : "";
  if (Is(command, "show") && argc <= 3) {
    const char* progs = argc > 2 ? argv[2] : "progs.dat";
    LoadProgs(progs, Load::kReadOnly);
    Show(progs);
  } else if (Is(command, "check") && argc <= 4) {
    // bpadmin's order: progs.dat is loaded and its slots tested first.
    LoadProgs(argc > 3 ? argv[3] : "progs.dat", Load::kAsIfUpdating);
    Check(argc > 2 ? argv[2] : "bpmaps.cfg");
  } else if (Is(command, "--help") && argc == 2) {
    std::printf("%s%s", USAGE, HELP);
    FlushStandardOutput();
  } else if (Is(command, "--version") && argc == 2) {
    std::printf("bpmaps %s\n", BPMAPS_VERSION);
    FlushStandardOutput();
  } else {
    std::fputs(USAGE, stderr);
    EndRun(2);
  }
  EndRun(0);
}
