// Starts a Windows program as a script, a scheduler or a service starts it,
// and ends with its exit status, or 124 when it has not ended by itself
// within a minute (it is then killed). HOW is one of:
//   hidden     a console of its own, its window hidden
//   station    a console of its own, on a window station nobody sees
//   no-stdout  no standard output handle at all
//   no-stderr  no standard error handle at all
//   launch.exe HOW PROGRAM ARGS...
// Built with mingw-w64 by tests/window_check; it is no part of the tool.

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring how = argv[1];
  std::wstring line;  // the words from PROGRAM on, each quoted
  for (int i = 2; i < argc; ++i) line += L" \"" + std::wstring(argv[i]) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  const bool own_console = how == L"hidden" || how == L"station";
  if (own_console) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = how == L"hidden" ? SW_HIDE : SW_SHOWNORMAL;
  }
  wchar_t desktop[] = L"bpadmin-unseen\\Default";
  if (how == L"station") {
    // A window station made here is never the interactive one.
    HWINSTA own = GetProcessWindowStation();
    HWINSTA unseen =
        CreateWindowStationW(L"bpadmin-unseen", 0, WINSTA_ALL_ACCESS, nullptr);
    if (unseen == nullptr || !SetProcessWindowStation(unseen) ||
        CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr) ==
            nullptr ||
        !SetProcessWindowStation(own)) {
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
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(argv[2], line.data(), nullptr, nullptr, !own_console,
                      own_console ? CREATE_NEW_CONSOLE : 0, nullptr, nullptr,
                      &startup, &process)) {
    return 125;
  }
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 124);
    std::fputs("launch.exe: still running after a minute\n", stderr);
    return 124;
  }
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  return static_cast<int>(status);
}
