// Runs the built bpadmin, without arguments, and bpmaps in a fresh directory
// holding crafted progs.dat and bpmaps.cfg files, and checks stdout, stderr,
// the exit status, and the bytes and length of progs.dat afterwards.
//
// BPADMIN_EXE in the environment names another bpadmin to test, and
// BPADMIN_RUNNER a command that runs it (words split at spaces), as in
// BPADMIN_RUNNER=wine BPADMIN_EXE=bpadmin.exe for the Windows build; the
// bpmaps tested is the one beside it. An executable whose name ends in
// ".exe" must end each console line in CR LF.
// Run as root, the cases that need a file root could still open for writing
// run as nobody, with the WINEPREFIX of BPADMIN_NOBODY_WINEPREFIX when that
// is set, since wine refuses a prefix that another user owns.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;
using std::string_literals::operator""s;

const std::string BANNER = "Brawlpit Admin Tool v1.0\n";
const std::string READ_PROGS = BANNER + "Reading progs.dat...\n";
const std::string READ_BOTH = READ_PROGS + "Reading bpmaps.cfg...\n";
const std::string WRITING = READ_BOTH + "Writing progs.dat...\n";
const std::string DONE = WRITING + "Done.\n";

constexpr uid_t NOBODY = 65534;

// What the tool's stdout and stderr are: files the test reads, or one of
// the hostile settings a careless caller may hand it.
enum class Console {
  kFiles,
  kStdoutClosed,
  kStderrClosed,
  kStdoutFull,       // every write fails with ENOSPC
  kStdoutNoReader,   // a pipe whose reader is gone
  kStdoutOverLimit,  // files of at most 40 bytes, SIGXFSZ at its default
  kSharedFile,       // stdout and stderr one file, as 2>&1 gives
  kTerminal,         // a pseudo-terminal, through script(1)
};

enum class Program { kBpadmin, kBpmaps };

// The command that runs a program: the runner's words, then the executable.
std::vector<std::string> ToolCommand(Program program = Program::kBpadmin) {
  std::vector<std::string> command;
  const char* runner = std::getenv("BPADMIN_RUNNER");
  std::istringstream words(runner != nullptr ? runner : "");
  for (std::string word; words >> word;) command.push_back(word);
  const char* exe = std::getenv("BPADMIN_EXE");
  std::filesystem::path path = exe != nullptr ? exe : BPADMIN_EXE;
  if (program == Program::kBpmaps) {
    path.replace_filename("bpmaps" + path.extension().string());
  }
  command.push_back(path.string());
  return command;
}

bool IsWindowsTool() {
  const std::string exe = ToolCommand().back();
  return exe.size() > 4 && exe.compare(exe.size() - 4, 4, ".exe") == 0;
}

// Whether the runner can hand the tool this console. valgrind will not
// start without a stderr of its own, and is itself ended by a file-size
// limit; wine turns a closed descriptor into a handle whose writes fail,
// where Windows itself drops the text sent to a missing one, and Windows
// has no file-size signal.
bool RunnerReproduces(Console console) {
  const bool closes =
      console == Console::kStdoutClosed || console == Console::kStderrClosed;
  const bool limited = console == Console::kStdoutOverLimit;
  if ((closes || limited) && IsWindowsTool()) return false;
  return (console != Console::kStderrClosed && !limited) ||
         ToolCommand().front().find("valgrind") == std::string::npos;
}

// Console output with the platform's line ends made LF. Text with a bare LF
// from a Windows tool is returned as it is, so that it fails to compare.
std::string FromConsole(const std::string& text) {
  if (!IsWindowsTool() || std::regex_search(text, std::regex("(^|[^\r])\n"))) {
    return text;
  }
  return std::regex_replace(text, std::regex("\r\n"), "\n");
}

// The command run by script(1) on a pseudo-terminal of its own.
std::vector<std::string> InScript(const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& word : command) line += " '" + word + "'";
  return {"script", "-qec", line, "/dev/null"};
}

// What a terminal shows: CR dropped, and the cursor moves that wine draws
// its console with taken out, a move forward as the spaces it stands for.
std::string AsTyped(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text.compare(i, 2, "\x1b[") != 0) {
      shown += text[i];
      continue;
    }
    std::size_t count = 0;
    for (i += 2; i < text.size() &&
                 ((text[i] >= '0' && text[i] <= ';') || text[i] == '?');
         ++i) {
      count = text[i] <= '9' ? count * 10 + std::size_t(text[i] - '0') : 0;
    }
    if (i < text.size() && text[i] == 'C') shown.append(count ? count : 1, ' ');
  }
  return shown;
}

struct Result {
  std::string out;
  std::string raw_out;  // stdout as the program wrote it
  std::string err;
  int status;  // exit status, or -1 when ended by a signal
};

struct RunOptions {
  Program program = Program::kBpadmin;
  std::vector<std::string> args = {};
  rlim_t file_size_limit = RLIM_INFINITY;  // SIGXFSZ stays at its default
  bool as_nobody = false;  // root opens read-only files for update anyway
  Console console = Console::kFiles;
};

// A run that has not ended by then has hung: it is killed, and fails.
constexpr unsigned RUN_TIMEOUT_SECONDS = 120;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The bytes at offset..offset+count of a file.
std::string ReadAt(const fs::path& path, std::streamoff offset,
                   std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(offset);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// How a case lays out one of the two files.
enum class As {
  kFile,
  kMissing,
  kUnreadable,
  kReadOnly,
  kOpenToAll,
  kFifo,
  kAppendOnly  // chattr +a: only root can set it, where the file system can
};

// Sets or clears the append-only attribute of path; false where it cannot.
bool SetAppendOnly(const fs::path& path, bool on) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
  done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return done;
}

void Make(const fs::path& path, As as, const std::string& bytes) {
  const auto read_only =
      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  switch (as) {
    case As::kMissing:
      return;
    case As::kUnreadable:  // opens for update, but read() fails with EIO
      fs::create_symlink("/proc/self/mem", path);
      return;
    case As::kFifo:  // opened for update, a read would wait forever
      mkfifo(path.c_str(), 0666);
      return;
    case As::kFile:
    case As::kReadOnly:
    case As::kOpenToAll:
    case As::kAppendOnly:
      WriteFile(path, bytes);
      if (as == As::kReadOnly) fs::permissions(path, read_only);
      if (as == As::kOpenToAll) fs::permissions(path, fs::perms::all);
      return;
  }
}

const std::string CONFIG =
    "// test rotation\r\n"
    "LOCALMAP0 = \"stonecourt\";\r\n"
    "LOCALMAP3 = \"tower2\"; LOCALMAP5 = \"map5\"; // a comment\n"
    "LOCALMAP7 = \"the \\\"pit\\\"\";\n"
    "LOCALMAP9 = \"abcdefghijklmno\";\n";
const std::vector<std::pair<int, std::string>> CONFIG_NAMES = {
    {0, "stonecourt"},
    {3, "tower2"},
    {5, "map5"},
    {7, "the \"pit\""},
    {9, "abcdefghijklmno"}};

// CONFIG after as many blanks as make a list of size bytes.
std::string LongList(std::size_t size) {
  return std::string(size - CONFIG.size(), ' ') + CONFIG;
}

const std::string UTF16_NOTE =
    "Note: bpmaps.cfg is saved as UTF-16 or starts with a byte order mark; "
    "save it as ANSI, or as UTF-8 without the mark\n";

// What bpmaps check says of CONFIG on MakeProgs(): slot 5 keeps its name.
const std::string CHECK_TABLE =
    "  slot  now                after\n"
    "*    0  \"map0\"             \"stonecourt\"\n"
    "*    1  \"map1\"             \"\"\n"
    "*    2  \"map2\"             \"\"\n"
    "*    3  \"map3\"             \"tower2\"\n"
    "*    4  \"map4\"             \"\"\n"
    "     5  \"map5\"             \"map5\"\n"
    "*    6  \"map6\"             \"\"\n"
    "*    7  \"map7\"             \"the \\\"pit\\\"\"\n"
    "*    8  \"map8\"             \"\"\n"
    "*    9  \"map9\"             \"abcdefghijklmno\"\n"
    "Slots that change: 9 of 10.\n";

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "bpadmin-XXXXXX");
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    work_ = root_ / "work";
    fs::create_directory(work_);
  }

  void TearDown() override {
    SetAppendOnly(Progs(), false);
    fs::remove_all(root_);
  }

  // Empties the work folder for the next case.
  void ClearWork() {
    SetAppendOnly(Progs(), false);
    fs::remove_all(work_);
    fs::create_directory(work_);
  }

  fs::path Progs() const { return work_ / "progs.dat"; }
  fs::path Config() const { return work_ / "bpmaps.cfg"; }

  void Prepare(const std::string& progs, const std::string& config) {
    WriteFile(Progs(), progs);
    WriteFile(Config(), config);
  }

  Result Run(const RunOptions& options = {}) {
    const fs::path out = root_ / "stdout";
    const fs::path err = root_ / "stderr";
    if (options.as_nobody) {
      fs::permissions(root_, fs::perms::all);
      fs::permissions(work_, fs::perms::all);
    }
    std::vector<std::string> command = ToolCommand(options.program);
    if (options.as_nobody) {
      // The build tree may sit in a folder that nobody cannot enter: run a
      // copy of the tool from the test's own folder instead.
      const fs::path copy = root_ / fs::path(command.back()).filename();
      fs::copy_file(command.back(), copy, fs::copy_options::overwrite_existing);
      command.back() = copy.string();
    }
    command.insert(command.end(), options.args.begin(), options.args.end());
    if (options.console == Console::kTerminal) command = InScript(command);
    std::vector<char*> argv;
    for (std::string& word : command) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      int pipe_fds[2] = {-1, -1};
      if (options.console == Console::kStdoutFull) {
        out_fd = open("/dev/full", O_WRONLY);
      } else if (options.console == Console::kStdoutNoReader &&
                 pipe(pipe_fds) == 0 && close(pipe_fds[0]) == 0) {
        out_fd = pipe_fds[1];
      }
      const bool shared = options.console == Console::kSharedFile;
      if (chdir(work_.c_str()) != 0 || dup2(out_fd, 1) < 0 ||
          dup2(shared ? out_fd : err_fd, 2) < 0) {
        _exit(126);
      }
      // Only 0 to 2 stay open, so the tool's first file takes a closed one.
      for (int fd = 3; fd < 16; ++fd) close(fd);
      if (options.console == Console::kStdoutClosed) close(1);
      if (options.console == Console::kStderrClosed) close(2);
      // Windows has no file-size signal: under wine the limit only makes a
      // write fail, as a full disk would.
      const rlim_t size = options.console == Console::kStdoutOverLimit
                              ? 40  // room for an error line, not for more
                              : options.file_size_limit;
      const rlimit limit = {size, size};
      if (size != RLIM_INFINITY &&
          ((IsWindowsTool() && signal(SIGXFSZ, SIG_IGN) == SIG_ERR) ||
           setrlimit(RLIMIT_FSIZE, &limit) != 0)) {
        _exit(126);
      }
      alarm(RUN_TIMEOUT_SECONDS);
      // wine reads the words of the command line in the locale's encoding.
      setenv("LC_ALL", "C.UTF-8", 1);
      const char* prefix = std::getenv("BPADMIN_NOBODY_WINEPREFIX");
      if (options.as_nobody && geteuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 ||
            setuid(NOBODY) != 0) {
          _exit(126);
        }
        if (prefix != nullptr) setenv("WINEPREFIX", prefix, 1);
      }
      execvp(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const std::string raw_out = ReadFile(out);
    return {options.console == Console::kTerminal ? AsTyped(raw_out)
                                                  : FromConsole(raw_out),
            raw_out, FromConsole(ReadFile(err)),
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
  }

  // Runs bpmaps with args.
  Result RunBpmaps(std::vector<std::string> args, bool as_nobody = false,
                   Console console = Console::kFiles) {
    return Run({.program = Program::kBpmaps,
                .args = std::move(args),
                .as_nobody = as_nobody,
                .console = console});
  }

  fs::path root_;
  fs::path work_;
};

// True when text holds lines, whole lines each, with or without their LF.
bool Shows(const std::string& text, std::string lines) {
  if (lines.empty() || lines.back() != '\n') lines += '\n';
  return ("\n" + text).find("\n" + lines) != std::string::npos;
}

// The slots whose 16 bytes differ between two progs.dat images.
int ChangedSlots(const std::string& before, const std::string& after) {
  int changed = 0;
  for (int n = 0; n < 10; ++n) {
    changed += after.compare(SlotStart(n), 16, before, SlotStart(n), 16) != 0;
  }
  return changed;
}

TEST_F(EndToEnd, StoresTheNames) {
  std::string same;  // every slot keeps its name
  for (int n = 0; n < 10; ++n) {
    same += "LOCALMAP" + std::to_string(n) + " = \"map" + std::to_string(n) +
            "\";\n";
  }
  const std::string progs = MakeProgs();
  const std::string stored = WithNames(progs, CONFIG_NAMES);
  std::string sixteen = MakeProgs();  // slot 0 holds no NUL
  PutPlaceholder(sixteen, SlotStart(0), '0', "sixteen bytes!!!");
  std::string ends_in_z = MakeProgs(16384);
  ends_in_z.back() = 'Z';
  auto sized = [](std::size_t size) { return MakeProgs(size); };
  const struct {
    const char* name;
    std::string progs, config;
    std::string after;  // progs.dat after bpadmin, unless empty
    std::string check;  // bpmaps check prints these lines, unless empty
    RunOptions options = {};
    std::string out = DONE;
  } cases[] = {
      {"stdout and stderr files", progs, CONFIG, stored, CHECK_TABLE},
      {"stdout closed: no text lands in progs.dat",
       progs,
       CONFIG,
       stored,
       "",
       {.console = Console::kStdoutClosed},
       ""},
      {"stderr closed",
       progs,
       CONFIG,
       stored,
       "",
       {.console = Console::kStderrClosed}},
      {"arguments are ignored",
       progs,
       CONFIG,
       stored,
       "",
       {.args = {"--help", "other.dat"}}},
      {"shorter than the head: keeps its length", sized(1000), CONFIG,
       WithNames(sized(1000), CONFIG_NAMES), ""},
      {"exactly the head", sized(16383), CONFIG,
       WithNames(sized(16383), CONFIG_NAMES), ""},
      {"one byte more: keeps its last byte", ends_in_z, CONFIG,
       WithNames(ends_in_z, CONFIG_NAMES), ""},
      {"longer: keeps every byte past the head", sized(40000), CONFIG,
       WithNames(sized(40000), CONFIG_NAMES), ""},
      {"a list as long as the head", progs, LongList(IMAGE_SIZE - 1), stored,
       CHECK_TABLE},
      {"an empty list empties every slot", progs, "// no maps\n",
       WithNames(progs, {}), "Slots that change: 10 of 10."},
      {"its own output: the same slots, the first names' tails remain", stored,
       "LOCALMAP7 = \"x\";LOCALMAP9=\"y\";",
       WithNames(stored, {{7, "x"}, {9, "y"}}), ""},
      {"the same names", progs, same, progs,
       "     0  \"map0\"             \"map0\""},
      {"a name again, after a longer one", progs,
       same + "LOCALMAP0 = \"map0XXXX\"; LOCALMAP0 = \"map0\";", "",
       "*    0  \"map0\"             \"map0\""},
      {"a NUL inside a name", progs, same + "LOCALMAP9 = \"map9\0x\";"s, "",
       "*    9  \"map9\"             \"map9\""},
      {"16 bytes without a NUL, then their first 15", sixteen,
       same.substr(same.find('\n') + 1) + "LOCALMAP0 = \"sixteen bytes!!\";",
       "", "*    0  \"sixteen bytes!!!\" \"sixteen bytes!!\""},
      {"control bytes in the table", progs, "LOCALMAP4 = \"a\tb\x7F\";", "",
       "*    4  \"map4\"             \"a\\x09b\\x7F\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!RunnerReproduces(c.options.console)) continue;
    Prepare(c.progs, c.config);
    int check_changes = -1;
    if (!c.check.empty()) {
      // A day old, so that any write, even of the same bytes, would show.
      const auto old =
          fs::file_time_type::clock::now() - std::chrono::hours(24);
      fs::last_write_time(Progs(), old);
      fs::last_write_time(Config(), old);
      const Result check = RunBpmaps({"check"});
      EXPECT_TRUE(Shows(check.out, c.check)) << check.out;
      EXPECT_EQ(check.err, "");
      EXPECT_EQ(check.status, 0);
      EXPECT_EQ(fs::last_write_time(Progs()), old);
      EXPECT_EQ(fs::last_write_time(Config()), old);
      EXPECT_EQ(ReadFile(Progs()), c.progs);
      std::sscanf(check.out.c_str() + check.out.rfind("Slots"),
                  "Slots that change: %d", &check_changes);
    }
    const Result r = Run(c.options);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    const std::string after = ReadFile(Progs());
    if (!c.after.empty()) {
      EXPECT_EQ(after, c.after);
    }
    // check counts exactly the slots whose bytes bpadmin changes.
    if (check_changes >= 0) {
      EXPECT_EQ(ChangedSlots(c.progs, after), check_changes);
    }
  }
}

TEST_F(EndToEnd, LeavesAHugeFileAsItWas) {
  // Past 2 GiB, which a 32-bit build opens only with 64-bit offsets.
  constexpr std::streamoff SIZE = std::streamoff{3} << 30;
  const std::string head = MakeProgs(20000);
  {
    std::ofstream out(Progs(), std::ios::binary);
    out << head;
    out.seekp(SIZE / 2);
    out << 'M';
    out.seekp(SIZE - 1);
    out << 'E';
  }
  WriteFile(Config(), CONFIG);
  struct stat before = {};
  ASSERT_EQ(stat(Progs().c_str(), &before), 0);

  const Result r = Run();
  EXPECT_EQ(r.out, DONE);
  EXPECT_EQ(r.status, 0);
  struct stat after = {};
  ASSERT_EQ(stat(Progs().c_str(), &after), 0);
  EXPECT_EQ(after.st_size, SIZE);
  EXPECT_LE(after.st_blocks, before.st_blocks);  // not rewritten as a whole
  EXPECT_EQ(ReadAt(Progs(), 0, head.size()), WithNames(head, CONFIG_NAMES));
  EXPECT_EQ(ReadAt(Progs(), SIZE / 2, 1), "M");
  EXPECT_EQ(ReadAt(Progs(), SIZE - 1, 1), "E");
}

TEST_F(EndToEnd, ReportsAFailedWriteBack) {
  const std::string progs = MakeProgs();
  Prepare(progs, CONFIG);
  const Result r = Run({.file_size_limit = 8192});  // below the head
  EXPECT_EQ(r.out, WRITING);
  EXPECT_EQ(r.err, "Error: Cannot write progs.dat\n");
  EXPECT_EQ(r.status, 1);
}

TEST_F(EndToEnd, ShowThenBpadminLeavesProgsAsItWas) {
  std::string odd = MakeProgs();
  PutPlaceholder(odd, SlotStart(1), '1', "a\"b\\c//d");
  PutPlaceholder(odd, SlotStart(2), '2', "");
  PutPlaceholder(odd, SlotStart(3), '3', "cr\rtab\t\xE9\x01end");
  PutPlaceholder(odd, SlotStart(4), '4', "ab\0tail bytes"s);
  PutPlaceholder(odd, SlotStart(5), '5', "abcdefghijklmno");
  std::string hostile = MakeProgs();  // sets a terminal's title, clears it
  PutPlaceholder(hostile, SlotStart(3), '3', "\x1B]0;pwned\x07\x1B[2J");
  std::string slot0_faulty = MakeProgs();
  PutPlaceholder(slot0_faulty, SlotStart(0), '0', "sixteen bytes!!!");
  PutPlaceholder(slot0_faulty, SlotStart(5), '5', "sixteen bytes!!!");
  std::string faulty = MakeProgs();
  PutPlaceholder(faulty, SlotStart(2), '2', "lt!g7");  // slot 7's lies later
  PutPlaceholder(faulty, SlotStart(4), '4', "line\nfeed");
  PutPlaceholder(faulty, SlotStart(6), '6', "sixteen bytes!!!");
  const struct {
    const char* name;
    std::string progs;
    As as;
    std::string err;  // of bpmaps show; bpadmin then runs only without one
    std::vector<std::string> lines;  // show prints them, among others
  } cases[] = {
      {"the shipped example",
       ReadFile(EXAMPLES_DIR "/progs.dat"),
       As::kFile,
       "",
       {"LOCALMAP0 = \"dm_start\";"}},
      {"quotes, escapes, control bytes, an empty slot, tails, 15 bytes",
       odd,
       As::kFile,
       "",
       {"// Map list of progs.dat, written by bpmaps show",
        "LOCALMAP1 = \"a\\\"b\\\\c//d\";", "LOCALMAP2 = \"\";",
        "LOCALMAP3 = \"cr\rtab\t\xE9\x01end\";", "LOCALMAP4 = \"ab\";"}},
      {"a read-only progs.dat",
       MakeProgs(),
       As::kReadOnly,
       "",
       {"LOCALMAP9 = \"map9\";"}},
      {"slots a map list cannot write back",
       faulty,
       As::kFile,
       "Error: Map slot 2 cannot be written back\n",
       {"// LOCALMAP2 cannot be written back: its name would spell a slot "
        "marker",
        "// LOCALMAP4 cannot be written back: its name holds a line feed",
        "// LOCALMAP6 cannot be written back: its 16 bytes hold no NUL",
        "LOCALMAP7 = \"map7\";"}},
      {"slots 0 and 5 cannot be written back: the first is named",
       slot0_faulty,
       As::kFile,
       "Error: Map slot 0 cannot be written back\n",
       {"LOCALMAP1 = \"map1\";"}},
      {"a hostile name, to a file: its very bytes",
       hostile,
       As::kFile,
       "",
       {"LOCALMAP3 = \"\x1B]0;pwned\x07\x1B[2J\";"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearWork();
    Make(Progs(), c.as, c.progs);
    const Result show = RunBpmaps({"show"}, c.as == As::kReadOnly);
    EXPECT_EQ(show.err, c.err);
    EXPECT_EQ(show.status, c.err.empty() ? 0 : 1);
    for (const std::string& line : c.lines) {
      EXPECT_TRUE(Shows(show.out, line)) << line;
    }
    // Into a file, no byte is made visible, so no comment says so.
    EXPECT_EQ(show.out.find("\\xHH"), std::string::npos);
    EXPECT_EQ(ReadFile(Progs()), c.progs);
    if (!c.err.empty() || c.as != As::kFile) continue;
    WriteFile(Config(), show.raw_out);  // the platform's own line ends
    const Result r = Run();
    EXPECT_EQ(r.out, DONE);
    EXPECT_EQ(ReadFile(Progs()), c.progs);
  }
}

TEST_F(EndToEnd, OnATerminal) {
  if (std::system("script -qec true /dev/null </dev/null >/dev/null 2>&1")) {
    GTEST_SKIP() << "script(1) cannot make a pseudo-terminal here";
  }
  std::string hostile = MakeProgs();  // sets a terminal's title, clears it
  PutPlaceholder(hostile, SlotStart(3), '3', "\x1B]0;pwned\x07\x1B[2J");
  WriteFile(Progs(), hostile);
  fs::create_directory(work_ / "Папка");
  const struct {
    std::vector<std::string> args;
    std::string lines;  // the terminal shows them, among others
  } cases[] = {
      {{"show"},
       "LOCALMAP3 = \"\\x1B]0;pwned\\x07\\x1B[2J\";\n"
       "LOCALMAP4 = \"map4\";"},
      {{"show"},
       "// Each \\xHH above is a byte made visible for the terminal, not map "
       "list syntax:\n// redirected to a file, the list keeps the real bytes."},
      {{"show", "Папка/нет.dat"}, "Error: Cannot open Папка/нет.dat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    const Result r = RunBpmaps(c.args, false, Console::kTerminal);
    EXPECT_TRUE(Shows(r.out, c.lines)) << r.out;
  }
}

TEST_F(EndToEnd, BpmapsUsage) {
  // Paths in other scripts reach the Windows build too.
  fs::create_directory(work_ / "Папка");
  fs::create_directory(work_ / "地图");
  WriteFile(work_ / "Папка" / "progs.dat", MakeProgs());
  WriteFile(work_ / "地图" / "bpmaps.cfg", CONFIG);
  WriteFile(work_ / "other.dat", "no slots");
  const std::string usage =
      "Usage: bpmaps show [PROGS] | check [LIST [PROGS]] | -h | --help | "
      "--version";
  const std::string progs = "Папка/progs.dat", list = "地图/bpmaps.cfg";
  const std::string lost = "Error: Cannot write standard output";
  using enum Console;
  const struct {
    std::vector<std::string> args;
    int status;
    std::string first_line;  // of stdout with status 0, else of stderr
    Console console = kFiles;
  } cases[] = {
      {{}, 2, usage},
      {{"list"}, 2, "bpmaps: unknown command 'list'"},
      {{"show", "a", "b"}, 2, "bpmaps: too many arguments for show"},
      {{"check", "a", "b", "c"}, 2, "bpmaps: too many arguments for check"},
      {{"-x"}, 2, "bpmaps: unknown option '-x'"},
      {{"show", "--bogus"}, 2, "bpmaps: unknown option '--bogus'"},
      {{"check", "", "progs.dat"}, 2, "bpmaps: an empty path names no file"},
      {{"show", "-"},
       2,
       "bpmaps: '-' is no file: bpmaps reads named files, as bpadmin does"},
      {{"--help"}, 0, usage},
      {{"/?"},
       IsWindowsTool() ? 0 : 2,
       IsWindowsTool() ? usage : "bpmaps: unknown command '/?'"},
      {{"show", "-h"}, 0, usage},
      {{"check", "x", "--version"}, 0, "bpmaps 1.3"},
      {{"show", "--", "--help"}, 1, "Error: Cannot open --help"},
      {{"show", "no/such.dat"}, 1, "Error: Cannot open no/such.dat"},
      {{"show", "a\x1B[2J\n.dat"}, 1, "Error: Cannot open a?[2J?.dat"},
      {{"show",
        "a\xC2\x9B"
        "2J\x7FЯ\xC2\xA0.dat"},
       1,
       "Error: Cannot open a?2J?Я\xC2\xA0.dat"},
      {{"show", "other.dat"}, 1, "Error: Bad other.dat"},
      {{"check", "cfg"}, 1, "Error: Cannot open progs.dat"},
      {{"show", progs},
       0,
       "// Map list of " + progs + ", written by bpmaps show"},
      {{"check", list, progs}, 0, "  slot  now                after"},
      {{"--version"}, 1, lost, kStdoutClosed},
      {{"show", progs}, 1, lost, kStdoutFull},
      {{"--version"}, 1, lost, kStdoutFull},
      {{"check", list, progs}, 1, lost, kStdoutFull},
      {{"show", progs}, 1, lost, kStdoutNoReader},
      {{"show", progs}, 1, lost, kStdoutOverLimit},
      // The null device takes the closed stderr's place, not progs.dat.
      {{"check", "nothing.cfg", progs}, 1, "", kStderrClosed},
      {{"show", std::string(5000, 'a')},
       1,
       "Error: Cannot open " + std::string(LINE_SIZE - 12 - 2, 'a')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first_line.substr(0, 60));
    if (!RunnerReproduces(c.console)) continue;
    const Result r = RunBpmaps(c.args, false, c.console);
    EXPECT_EQ(r.status, c.status);
    const std::string& shown = c.status == 0 ? r.out : r.err;
    EXPECT_EQ(shown.substr(0, shown.find('\n')), c.first_line);
    // A usage error is its line, if any, then the usage; a failure is one
    // line, and prints nothing else.
    if (c.status == 2) {
      EXPECT_EQ(r.err, (c.first_line == usage ? "" : c.first_line + "\n") +
                           usage + "\n");
    }
    if (c.status == 1) {
      EXPECT_EQ(r.err, c.first_line.empty() ? "" : c.first_line + "\n");
    }
    if (c.status != 0 && c.console != kStdoutOverLimit) {
      EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(ReadFile(work_ / progs), MakeProgs());
  }
}

TEST_F(EndToEnd, FailuresLeaveProgsUnchanged) {
  using enum As;
  using enum Console;
  const std::string progs = MakeProgs();
  auto progs_with = [&](std::size_t pos, const std::string& bytes) {
    std::string changed = progs;
    changed.replace(pos, bytes.size(), bytes);
    return changed;
  };
  const std::string short_progs = MakeProgs(4000);
  std::string long_progs = MakeProgs(40000);
  PutPlaceholder(long_progs, 16383 - 20, '9');  // its digit at 16,383
  PutPlaceholder(long_progs, SlotStart(9), '8');
  const struct {
    const char* name;
    std::string progs;
    std::string config;
    As progs_as, config_as;
    std::string out;
    std::string err;
    bool as_nobody;
    Console console = kFiles;
    std::string check_note = "";  // what bpmaps check adds to bpadmin's
  } cases[] = {
      {"progs.dat missing", "", CONFIG, kMissing, kFile, BANNER,
       "Error: Cannot open progs.dat\n", false},
      {"progs.dat read-only", progs, CONFIG, kReadOnly, kFile, BANNER,
       "Error: Cannot open progs.dat\n", true},
      {"progs.dat append-only", progs, CONFIG, kAppendOnly, kFile, BANNER,
       "Error: Cannot open progs.dat\n", false},
      {"progs.dat unreadable", "", CONFIG, kUnreadable, kFile, READ_PROGS,
       "Error: Cannot read progs.dat\n", false},
      {"bpmaps.cfg missing", progs, "", kFile, kMissing, READ_PROGS,
       "Error: Cannot open bpmaps.cfg\n", false},
      {"bpmaps.cfg read-only", progs, CONFIG, kOpenToAll, kReadOnly, READ_PROGS,
       "Error: Cannot open bpmaps.cfg\n", true},
      {"bpmaps.cfg unreadable", progs, "", kFile, kUnreadable, READ_BOTH,
       "Error: Cannot read bpmaps.cfg\n", false},
      {"a slot missing, bpmaps.cfg not opened",
       progs_with(SlotStart(4) + 16, "xt!g4"), "", kFile, kMissing, READ_PROGS,
       "Error: Bad progs.dat\n", false},
      {"a marker across the end of the head", long_progs, CONFIG, kFile, kFile,
       READ_PROGS, "Error: Bad progs.dat\n", false},
      {"placeholders overlapping", progs_with(SlotStart(5) + 4, "lt!g0"),
       CONFIG, kFile, kFile, READ_PROGS, "Error: Bad progs.dat\n", false},
      {"a list that goes on past the head", progs, LongList(IMAGE_SIZE), kFile,
       kFile, READ_BOTH, "Error: bpmaps.cfg is longer than 16383 bytes\n",
       false},
      {"a list saved as UTF-16", progs, "\xFF\xFEL\0O\0C\0"s, kFile, kFile,
       READ_BOTH, "Error: Unknown user var at line 1\n", false, kFiles,
       UTF16_NOTE},
      {"a list saved as UTF-16 without a mark, after a blank", progs,
       " \0L\0O\0C\0"s, kFile, kFile, READ_BOTH,
       "Error: Unexpected NUL byte at line 1\n", false, kFiles, UTF16_NOTE},
      {"a syntax error, both streams one file: progress first", progs,
       CONFIG + "LOCALMAP1 = \"x\" ;\n", kFile, kFile,
       READ_BOTH + "Error: Expected ';' at line 6\n", "", false, kSharedFile},
      {"progs.dat a FIFO", "", CONFIG, kFifo, kFile, BANNER,
       "Error: Cannot open progs.dat\n", false},
      {"stdout closed: no text lands in progs.dat", short_progs,
       CONFIG + "LOCALMAP1 = \"x\" ;\n", kFile, kFile, "",
       "Error: Expected ';' at line 6\n", false, kStdoutClosed},
      {"stderr closed: no text lands in progs.dat", short_progs, "", kFile,
       kMissing, READ_PROGS, "", false, kStderrClosed},
      {"stdout full", progs, CONFIG, kFile, kFile, "",
       "Error: Cannot write standard output\n", false, kStdoutFull},
      {"stdout a pipe without a reader", progs, CONFIG, kFile, kFile, "",
       "Error: Cannot write standard output\n", false, kStdoutNoReader},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!RunnerReproduces(c.console)) continue;
    ClearWork();
    Make(Progs(), c.progs_as, c.progs);
    Make(Config(), c.config_as, c.config);
    if (c.progs_as == kAppendOnly && !SetAppendOnly(Progs(), true)) {
      continue;  // not root, or a file system without the attribute
    }
    if (c.console == kFiles) {
      const Result check = RunBpmaps({"check"}, c.as_nobody);
      EXPECT_EQ(check.out, "");
      EXPECT_EQ(check.err, c.err + c.check_note) << "from bpmaps check";
      EXPECT_EQ(check.status, 1);
    }
    const Result r = Run({.as_nobody = c.as_nobody, .console = c.console});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, 1);
    if (fs::is_regular_file(fs::symlink_status(Progs()))) {
      EXPECT_EQ(ReadFile(Progs()), c.progs);
    }
  }
}

}  // namespace
