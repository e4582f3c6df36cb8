// The platform functions for POSIX systems: Linux and its kin.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "common.h"
#include "platform.h"

namespace {

constexpr char NULL_DEVICE[] = "/dev/null";

}  // namespace

bool GuardStandardStreams() {
  bool stdout_was_closed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    stdout_was_closed = stdout_was_closed || fd == 1;
    // open takes the lowest free descriptor: this one.
    if (open(NULL_DEVICE, O_RDWR) != fd) {
      FatalError("Cannot open %s in place of a closed standard stream\n",
                 NULL_DEVICE);
    }
  }
  return stdout_was_closed;
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

// A terminal shows UTF-8 as it is.
void WriteText(std::FILE* stream, const char* text) {
  std::fputs(text, stream);
}

// A terminal outlives the programs run in it.
void HoldOwnConsoleWindow() {}

bool IsPlatformHelpWord(const char* /*word*/) { return false; }
