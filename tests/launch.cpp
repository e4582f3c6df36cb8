// Starts a Windows program the ways a script, a scheduler or a service
// starts it, and ends with its exit status, or 124 when it has not ended
// by itself within a minute (it is then killed):
//   launch.exe hidden PROGRAM ARGS...   a console of its own, window hidden
//   launch.exe station PROGRAM ARGS...  a console of its own, on a window
//                                       station nobody sees, as a service's
//   launch.exe no-stdout PROGRAM ARGS...  no standard output handle at all
//   launch.exe no-stderr PROGRAM ARGS...  no standard error handle at all
// Built with mingw-w64 by tests/window_check; it is no part of the tool.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD TIMEOUT_MS = 60000;

// The command line of argv[2] on: the words as they were given.
std::wstring CommandFrom(int argc, wchar_t** argv) {
  std::wstring line;
  for (int i = 2; i < argc; ++i) {
    if (!line.empty()) line += L' ';
    line += L'"';
    line += argv[i];
    line += L'"';
  }
  return line;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs(
        "usage: launch.exe hidden|station|no-stdout|no-stderr PROGRAM "
        "ARGS...\n",
        stderr);
    return 2;
  }
  const std::wstring how = argv[1];
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  DWORD flags = 0;
  wchar_t desktop[] = L"bpadmin-unseen\\Default";
  if (how == L"hidden" || how == L"station") {
    flags = CREATE_NEW_CONSOLE;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = how == L"hidden" ? SW_HIDE : SW_SHOWNORMAL;
  }
  if (how == L"station") {
    // A window station of its own is never the interactive one.
    HWINSTA own = GetProcessWindowStation();
    HWINSTA unseen =
        CreateWindowStationW(L"bpadmin-unseen", 0, WINSTA_ALL_ACCESS, nullptr);
    if (unseen == nullptr || !SetProcessWindowStation(unseen) ||
        CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr) ==
            nullptr ||
        !SetProcessWindowStation(own)) {
      std::fputs("launch.exe: cannot make a window station\n", stderr);
      return 125;
    }
    startup.lpDesktop = desktop;
  }
  if (how == L"no-stdout" || how == L"no-stderr") {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput =
        how == L"no-stdout" ? nullptr : GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError =
        how == L"no-stderr" ? nullptr : GetStdHandle(STD_ERROR_HANDLE);
  }
  std::wstring line = CommandFrom(argc, argv);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(argv[2], line.data(), nullptr, nullptr,
                      startup.dwFlags == STARTF_USESTDHANDLES, flags, nullptr,
                      nullptr, &startup, &process)) {
    std::fprintf(stderr, "launch.exe: cannot start it (%lu)\n", GetLastError());
    return 125;
  }
  if (WaitForSingleObject(process.hProcess, TIMEOUT_MS) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 124);
    std::fputs("launch.exe: still running after a minute\n", stderr);
    return 124;
  }
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
