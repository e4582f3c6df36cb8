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

// The C runtime keeps descriptors 0 to 2 for the standard handles even when
// the process starts without them (it marks them "no console"), so a file
// the run opens always gets 3 or above.
bool GuardStandardStreams() { return true; }

// Windows has no such signals: both failures already come back as errors.
void IgnoreWriteSignals() {}

std::FILE* OpenRegularFile(const char* name, bool for_update) {
  std::FILE* stream = std::fopen(name, for_update ? "r+b" : "rb");
  if (stream == nullptr) return nullptr;
  struct _stat64 info = {};
  if (_fstat64(_fileno(stream), &info) != 0 ||
      (info.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    return nullptr;
  }
  return stream;
}

// What keeps fopen "r+b" from a file that can be read is its read-only
// attribute, which this tests.
bool MayWrite(const char* name) { return _access(name, 2) == 0; }

bool SyncFile(std::FILE* stream) { return _commit(_fileno(stream)) == 0; }

namespace {

bool IsConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

}  // namespace

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
      !IsConsole(STD_INPUT_HANDLE) || !IsConsole(STD_OUTPUT_HANDLE)) {
    return;
  }
  std::fputs("\nPress Enter to close this window.", stdout);
  std::fflush(stdout);
  for (int c = 0; c != EOF && c != '\n';) c = std::getchar();
}

#else

bool GuardStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open takes the lowest free descriptor: this one.
    if (open("/dev/null", O_RDWR) != fd) return false;
  }
  return true;
}

void IgnoreWriteSignals() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
}

std::FILE* OpenRegularFile(const char* name, bool for_update) {
  // O_NONBLOCK: a FIFO or a device is refused, never waited on, and
  // O_NOCTTY: a terminal never becomes the run's controlling one.
  const int fd =
      open(name, (for_update ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY);
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

// The kernel's own test for an open for writing, with the same answer for
// root, a read-only mount and a running executable, but no open: a
// watcher of the file sees nothing.
bool MayWrite(const char* name) {
  return faccessat(AT_FDCWD, name, W_OK, AT_EACCESS) == 0;
}

bool SyncFile(std::FILE* stream) { return fsync(fileno(stream)) == 0; }

// A terminal outlives the programs run in it.
void HoldOwnConsoleWindow() {}

#endif
