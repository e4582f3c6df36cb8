#include "platform.h"

#include <sys/stat.h>

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

#ifdef _WIN32

namespace {

constexpr int WIDE_PATH_SIZE = 32768;  // the longest path Windows opens
constexpr int MAX_ARGUMENTS = WIDE_PATH_SIZE / 2;  // of the longest line

char argument_bytes[3 * WIDE_PATH_SIZE];  // UTF-8 of the longest line
char* arguments[MAX_ARGUMENTS + 1];

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

}  // namespace

// msvcrt's own split of the command line; its _startupinfo holds one int.
extern "C" __declspec(dllimport) int __cdecl __wgetmainargs(
    int* argc, wchar_t*** argv, wchar_t*** env, int expand_wildcards,
    int* startup_info);

// The C runtime keeps descriptors 0 to 2 for the standard handles even when
// the process starts without them (it marks them "no console"), so a file
// the run opens always gets 3 or above.
bool GuardStandardStreams(bool& stdout_was_closed) {
  stdout_was_closed = _get_osfhandle(1) < 0;
  return true;
}

// Windows has no such signals: both failures already come back as errors.
void IgnoreWriteSignals() {}

// msvcrt splits the UTF-16 command line by its own rules, as for argv.
void UseUtf8Arguments(int& argc, char**& argv) {
  int count = 0;
  wchar_t** words = nullptr;
  wchar_t** environment = nullptr;
  int new_mode = 0;
  if (__wgetmainargs(&count, &words, &environment, 0, &new_mode) != 0) return;
  int used = 0;
  for (int i = 0; i < count && i < MAX_ARGUMENTS; ++i) {
    const int room = static_cast<int>(sizeof argument_bytes) - used;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, words[i], -1, argument_bytes + used,
                            room, nullptr, nullptr);
    if (size == 0) return;  // keep the runtime's own words
    arguments[i] = argument_bytes + used;
    used += size;
  }
  argc = count < MAX_ARGUMENTS ? count : MAX_ARGUMENTS;
  arguments[argc] = nullptr;
  argv = arguments;
}

std::FILE* OpenRegularFile(const char* path, bool for_update) {
  wchar_t wide[WIDE_PATH_SIZE];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide,
                          WIDE_PATH_SIZE) == 0) {
    return nullptr;
  }
  std::FILE* stream = _wfopen(wide, for_update ? L"r+b" : L"rb");
  if (stream == nullptr) return nullptr;
  struct _stat64 info = {};
  if (_fstat64(_fileno(stream), &info) != 0 ||
      (info.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    return nullptr;
  }
  return stream;
}

bool SyncFile(std::FILE* stream) { return _commit(_fileno(stream)) == 0; }

// _isatty is true of the NUL device too: only a console has a mode.
bool IsTerminal(std::FILE* stream) {
  return IsConsole(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))));
}

// A console that lists this process alone was made for it: a double-click,
// not cmd or PowerShell, whose own process shares theirs. It must be one a
// user sees: a window, with a title (a text terminal that wine bridges into
// a console has none), and both streams on it, or nobody would see the
// question or could answer it.
void HoldOwnConsoleWindow() {
  DWORD processes[2] = {};
  char title[2] = {};
  if (GetConsoleProcessList(processes, 2) != 1 ||
      GetConsoleWindow() == nullptr || GetConsoleTitleA(title, 2) == 0 ||
      !IsConsole(GetStdHandle(STD_INPUT_HANDLE)) ||
      !IsConsole(GetStdHandle(STD_OUTPUT_HANDLE))) {
    return;
  }
  std::fputs("\nPress Enter to close this window.", stdout);
  std::fflush(stdout);
  for (int c = 0; c != EOF && c != '\n';) c = std::getchar();
}

#else

bool GuardStandardStreams(bool& stdout_was_closed) {
  stdout_was_closed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    stdout_was_closed = stdout_was_closed || fd == 1;
    // open takes the lowest free descriptor: this one.
    if (open("/dev/null", O_RDWR) != fd) return false;
  }
  return true;
}

void IgnoreWriteSignals() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

// The words are the bytes the system passed, which its calls take back.
void UseUtf8Arguments(int& /*argc*/, char**& /*argv*/) {}

std::FILE* OpenRegularFile(const char* path, bool for_update) {
  // O_NONBLOCK: a FIFO or a device is refused, never waited on, and
  // O_NOCTTY: a terminal never becomes the run's controlling one.
  const int fd =
      open(path, (for_update ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat info = {};
  std::FILE* stream = nullptr;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      fcntl(fd, F_SETFL, 0) == 0) {
    stream = fdopen(fd, for_update ? "r+b" : "rb");
  }
  if (stream == nullptr) close(fd);
  return stream;
}

bool SyncFile(std::FILE* stream) { return fsync(fileno(stream)) == 0; }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

// A terminal outlives the programs run in it.
void HoldOwnConsoleWindow() {}

#endif
