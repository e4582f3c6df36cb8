// bpmaps: shows the ten map names of a progs.dat as a map list, and what
// bpadmin would do with a map list on it. It never writes a byte of either.

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common.h"
#include "driver.h"
#include "maplist.h"
#include "platform.h"
#include "slots.h"

namespace {

constexpr char USAGE[] =
    "Usage: bpmaps show [PROGS] | check [LIST [PROGS]] | -h | --help | "
    "--version\n";

constexpr char HELP[] =
    "\n"
    "Shows the map names of a Brawlpit progs.dat and tries a map list on it,\n"
    "without ever writing a byte of either file.\n"
    "\n"
    "  show [PROGS]          print the ten map names of PROGS (default:\n"
    "                        progs.dat) as a map list that bpadmin reads back\n"
    "  check [LIST [PROGS]]  do what bpadmin does with the map list LIST\n"
    "                        (default: bpmaps.cfg) and PROGS, short of the\n"
    "                        write: exits 0 exactly when bpadmin would say\n"
    "                        Done., and shows what would change\n"
    "  -h, --help            print this help\n"
    "  --version             print the version\n"
    "  --                    take every later argument as a path\n";

constexpr const char* NO_PATH = nullptr;

// Prints "bpmaps: ", the problem and the usage on stderr, and ends with 2.
[[noreturn, gnu::format(printf, 1, 2)]] void UsageError(const char* format,
                                                        ...) {
  char line[LINE_SIZE];
  va_list args;
  va_start(args, format);
  FormatLineV(line, format, args);
  va_end(args);
  WriteText(stderr, "bpmaps: ");
  WriteText(stderr, line);
  WriteText(stderr, USAGE);
  EndRun(2);
}

// Prints text on stdout and ends the run, which fails if it was not written.
[[noreturn]] void PrintAndEnd(const char* text) {
  WriteText(stdout, text);
  EndRun(0);
}

// Prints the map list of the progs.dat at path, then fails if any slot of it
// could not be written back by that list. A terminal gets odd bytes made
// visible; a file or a pipe gets them exactly.
void Show(const char* path) {
  std::FILE* stream = OpenFile(path, false);
  ReadHead(stream, path, progs_image);
  std::fclose(stream);  // only read: nothing to lose
  RequireSlots(path);
  char list[MAP_LIST_SIZE];
  const int fault = WriteMapList(list, IsTerminal(stdout));
  char header[LINE_SIZE];
  FormatLine(header, "// Map list of %s, written by bpmaps show\n", path);
  WriteText(stdout, header);
  WriteText(stdout, list);
  if (fault >= 0) FatalError("Map slot %d cannot be written back\n", fault);
}

const char* list_path = "";  // of check, named by its note

// For a map list saved as UTF-16 or with a byte order mark, how to save it.
const char* Utf16Note() {
  static char note[LINE_SIZE];
  if (!MapListIsUtf16()) return "";
  FormatLine(note,
             "Note: %s is saved as UTF-16 or starts with a byte order mark; "
             "save it as ANSI, or as UTF-8 without the mark\n",
             list_path);
  return note;
}

// Runs bpadmin's own steps on list and progs, short of the write: closing
// a stream that was only read writes nothing. Prints each slot's name
// before and after.
void Check(const char* list, const char* progs) {
  list_path = list;
  AddErrorNote(Utf16Note);
  SlotBytes before;
  std::fclose(PrepareWrite(progs, list, Progress::kQuiet, &before).stream);
  Print(stdout, "  slot  %-18s %s\n", "now", "after");
  int changes = 0;
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    const char* after = progs_image + SlotPosition(n);
    char now_quoted[QUOTED_NAME_SIZE];
    char after_quoted[QUOTED_NAME_SIZE];
    QuoteMapName(before[n], true, now_quoted);
    QuoteMapName(after, true, after_quoted);
    const bool changed = std::memcmp(before[n], after, sizeof before[n]) != 0;
    changes += changed ? 1 : 0;
    Print(stdout, "%c %4d  %-18s %s\n", changed ? '*' : ' ', n, now_quoted,
          after_quoted);
  }
  Print(stdout, "Slots that change: %d of %d.\n", changes, MAP_SLOT_COUNT);
}

bool Is(const char* arg, const char* word) {
  return std::strcmp(arg, word) == 0;
}

// Reads the command line as GNU tools do: acts on the first option that
// stands before "--", and keeps the first three other words in words, the
// command and its paths. Returns how many other words there were.
int ReadWords(int argc, char** argv, const char* (&words)[3]) {
  int count = 0;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (options && Is(arg, "--")) {
      options = false;
    } else if (options && (Is(arg, "--help") || Is(arg, "-h") ||
                           IsPlatformHelpWord(arg))) {
      WriteText(stdout, USAGE);
      PrintAndEnd(HELP);
    } else if (options && Is(arg, "--version")) {
      PrintAndEnd("bpmaps " BPMAPS_VERSION "\n");
    } else if (options && Is(arg, "-")) {
      UsageError("'-' is no file: bpmaps reads named files, as bpadmin does\n");
    } else if (options && arg[0] == '-') {
      UsageError("unknown option '%s'\n", arg);
    } else if (count > 0 && arg[0] == '\0') {
      UsageError("an empty path names no file\n");
    } else {
      if (count < 3) words[count] = arg;
      ++count;
    }
  }
  return count;
}

// The path given, or the name bpadmin uses.
const char* PathOr(const char* given, const char* name) {
  return given != NO_PATH ? given : name;
}

}  // namespace

int main(int argc, char** argv) {
  // Its output is all bpmaps gives: a closed stdout fails the run.
  if (StartRun()) FatalError("Cannot write standard output\n");
  UseUtf8Arguments(argc, argv);
  const char* words[] = {"", NO_PATH, NO_PATH};
  const int count = ReadWords(argc, argv, words);
  const char* command = words[0];
  const bool show = Is(command, "show");
  if (count == 0) {
    WriteText(stderr, USAGE);
    EndRun(2);
  }
  if (!show && !Is(command, "check")) {
    UsageError("unknown command '%s'\n", command);
  }
  if (count > (show ? 2 : 3)) {
    UsageError("too many arguments for %s\n", command);
  }
  const char* progs = PathOr(words[show ? 1 : 2], "progs.dat");
  if (show) {
    Show(progs);
  } else {
    Check(PathOr(words[1], "bpmaps.cfg"), progs);
  }
  EndRun(0);
}
