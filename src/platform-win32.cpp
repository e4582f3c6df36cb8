// The platform functions for Windows, on msvcrt (mingw-w64).

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>

#include "common.h"
#include "platform.h"

namespace {

constexpr char NULL_DEVICE[] = "NUL";
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

// A process may start without a standard handle, or with one that names
// nothing: the C runtime then marks its stream "no console", and every write
// to it fails. The null device takes its place, as on POSIX.
bool GuardStandardStreams() {
  constexpr DWORD STANDARD[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE,
                                STD_ERROR_HANDLE};
  std::FILE* const streams[] = {stdin, stdout, stderr};
  bool stdout_was_closed = false;
  for (int fd = 0; fd <= 2; ++fd) {
    const intptr_t handle = _get_osfhandle(_fileno(streams[fd]));
    SetLastError(NO_ERROR);
    // GetFileType fails only on a handle that names nothing.
    if (handle >= 0 &&
        (GetFileType(reinterpret_cast<HANDLE>(handle)) != FILE_TYPE_UNKNOWN ||
         GetLastError() == NO_ERROR)) {
      continue;
    }
    stdout_was_closed = stdout_was_closed || fd == 1;
    const int null_device = _open(NULL_DEVICE, _O_RDWR);
    if (null_device != fd && (null_device < 0 || _dup2(null_device, fd) != 0 ||
                              _close(null_device) != 0)) {
      FatalError("Cannot open %s in place of a closed standard stream\n",
                 NULL_DEVICE);
    }
    streams[fd]->_file = fd;  // the runtime left it at "no console"
    SetStdHandle(STANDARD[fd], reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
  }
  return stdout_was_closed;
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

namespace {

// Only a window that was not started hidden, on the interactive window
// station, is one a person sees: scripts start programs hidden, services and
// tasks that run with nobody logged on get a window station of their own.
// user32 is loaded only here, so that no other run pays for it.
bool WindowIsSeen() {
  STARTUPINFOW startup = {};
  GetStartupInfoW(&startup);
  if ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 &&
      startup.wShowWindow == SW_HIDE) {
    return false;
  }
  HMODULE user32 = LoadLibraryW(L"user32.dll");
  if (user32 == nullptr) return false;
  using StationFn = HWINSTA(WINAPI*)();
  using InformationFn = BOOL(WINAPI*)(HANDLE, int, void*, DWORD, DWORD*);
  const auto station = reinterpret_cast<StationFn>(reinterpret_cast<void*>(
      GetProcAddress(user32, "GetProcessWindowStation")));
  const auto information =
      reinterpret_cast<InformationFn>(reinterpret_cast<void*>(
          GetProcAddress(user32, "GetUserObjectInformationW")));
  USEROBJECTFLAGS flags = {};
  return station != nullptr && information != nullptr &&
         information(station(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

// A console that lists this process alone was made for it: a double-click,
// not cmd or PowerShell, whose own process shares theirs. It must be one a
// user sees: a window, with a title (a text terminal that wine bridges into
// a console has none), shown, and both streams on it, or nobody would see
// the question or could answer it.
void HoldOwnConsoleWindow() {
  std::fflush(stdout);
  std::fflush(stderr);
  DWORD processes[2] = {};
  char title[2] = {};
  if (GetConsoleProcessList(processes, 2) != 1 ||
      GetConsoleWindow() == nullptr || GetConsoleTitleA(title, 2) == 0 ||
      !IsConsole(GetStdHandle(STD_INPUT_HANDLE)) ||
      !IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)) || !WindowIsSeen()) {
    return;
  }
  WriteText(stdout, "\nPress Enter to close this window.");
  std::fflush(stdout);
  for (int c = 0; c != EOF && c != '\n';) c = std::getchar();
}

// A console shows the bytes it is given in its own code page, and the C
// runtime may convert them again: handed UTF-16, it shows every letter.
void WriteText(std::FILE* stream, const char* text) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  wchar_t wide[LINE_SIZE];
  const int size = IsConsole(handle) ? MultiByteToWideChar(CP_UTF8, 0, text, -1,
                                                           wide, LINE_SIZE)
                                     : 0;
  DWORD written = 0;
  if (size == 0 || std::fflush(stream) != 0 ||
      !WriteConsoleW(handle, wide, static_cast<DWORD>(size - 1), &written,
                     nullptr)) {
    std::fputs(text, stream);  // the bytes as they are, errors kept
  }
}

bool IsPlatformHelpWord(const char* word) {
  return word[0] == '/' && word[1] == '?' && word[2] == '\0';
}
