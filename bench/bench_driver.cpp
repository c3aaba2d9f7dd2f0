// Times a window program as a person would use it: start-up until the window
// is shown (and its address box filled), and a press of its check button
// until the message box appears. Prints "name median min max" in
// milliseconds, and the peak working set.
//
//   bench_driver startup NAME RUNS EXE [--wait-text]
//   bench_driver check NAME RUNS EXE BUTTON-TEXT ADDRESS   ({n} in ADDRESS is the run number)
//   bench_driver whole NAME RUNS EXE BUTTON-TEXT ADDRESS   (start, check, close: one whole process)
//   bench_driver process NAME RUNS COMMAND-LINE             (start a command and wait for it)
//   bench_driver fill RANGES DOMAINS                        (zone-map entries for the checks to scan)
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/support/test_prefix.h"

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD process;
  const wchar_t* class_name;
  HWND found;
};

// Window enumeration callbacks must be stdcall on x86: plain functions, not lambdas.
BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64];
  GetClassNameW(window, name, 64);
  const bool dialog = std::wcscmp(name, L"#32770") == 0;
  if (owner != s->process || !IsWindowVisible(window)) return TRUE;
  if ((s->class_name == nullptr && !dialog) || (s->class_name != nullptr && std::wcscmp(name, s->class_name) == 0)) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindProcessWindow(DWORD process, const wchar_t* class_name) {
  Search search{process, class_name, nullptr};
  EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  const wchar_t* class_name;
  std::wstring text;
  HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<ChildSearch*>(param);
  wchar_t name[64];
  GetClassNameW(window, name, 64);
  if (_wcsicmp(name, s->class_name) != 0) return TRUE;
  wchar_t caption[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption));
  if (!s->text.empty() && std::wstring(caption).find(s->text) == std::wstring::npos) return TRUE;
  s->found = window;
  return FALSE;
}

HWND FindChild(HWND parent, const wchar_t* class_name, const std::wstring& text = {}) {
  ChildSearch search{class_name, text, nullptr};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Ready>
bool WaitFor(Ready ready, double timeout_ms = 30000) {
  const double start = Now();
  while (!ready()) {
    if (Now() - start > timeout_ms) return false;
    Sleep(1);
  }
  return true;
}

struct Started {
  PROCESS_INFORMATION info{};
  HWND window = nullptr;
};

bool Start(const std::wstring& exe, bool wait_text, Started& started) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started.info)) {
    return false;
  }
  return WaitFor([&] {
    started.window = FindProcessWindow(started.info.dwProcessId, nullptr);
    if (started.window == nullptr) return false;
    if (!wait_text) return true;
    HWND edit = FindChild(started.window, L"Edit");
    // Another process's control: ask it, since GetWindowText would not.
    return edit != nullptr && SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) > 0;
  });
}

void Stop(Started& started) {
  PostMessageW(started.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(started.info.hProcess, 1);
  CloseHandle(started.info.hThread);
  CloseHandle(started.info.hProcess);
}

std::wstring Expand(std::wstring address, int run) {
  const size_t at = address.find(L"{n}");
  if (at != std::wstring::npos) address.replace(at, 3, std::to_wstring(run));
  return address;
}

// Types the address, presses the button and waits for the message box;
// returns the milliseconds from the press to the box, or -1.
double CheckOnce(Started& started, const std::wstring& button_text, const std::wstring& address) {
  HWND edit = FindChild(started.window, L"Edit");
  HWND button = FindChild(started.window, L"Button", button_text);
  if (edit == nullptr || button == nullptr) return -1;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.c_str()));
  const double start = Now();
  PostMessageW(button, BM_CLICK, 0, 0);
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindProcessWindow(started.info.dwProcessId, L"#32770")) != nullptr; })) return -1;
  const double elapsed = Now() - start;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box); });
  return elapsed;
}

void Report(const char* name, std::vector<double> times, const char* extra = "") {
  if (times.empty()) {
    std::printf("%s failed\n", name);
    return;
  }
  std::sort(times.begin(), times.end());
  std::printf("%s %.2f %.2f %.2f%s\n", name, times[times.size() / 2], times.front(), times.back(), extra);
  std::fflush(stdout);
}

void Fill(int ranges, int domains) {
  const std::wstring base = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\";
  const DWORD two = 2;
  for (int i = 1; i <= ranges; ++i) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"Ranges\\Range" + std::to_wstring(i)).c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const std::wstring host = L"172.16." + std::to_wstring(i / 250) + L"." + std::to_wstring(i % 250);
    RegSetValueExW(key, L"http", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
    RegSetValueExW(key, L":Range", 0, REG_SZ, reinterpret_cast<const BYTE*>(host.c_str()),
                   static_cast<DWORD>((host.size() + 1) * 2));
    RegCloseKey(key);
  }
  for (int i = 1; i <= domains; ++i) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"Domains\\site" + std::to_wstring(i) + L".example.cn\\www").c_str(), 0,
                    nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExW(key, L"http", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
    RegCloseKey(key);
  }
}

int TimeStartup(const char* name, int runs, const std::wstring& exe, bool wait_text) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    Started started;
    const double start = Now();
    if (!Start(exe, wait_text, started)) return 1;
    times.push_back(Now() - start);
    Stop(started);
  }
  Report(name, times);
  return 0;
}

int TimeChecks(const char* name, int runs, const std::wstring& exe, const std::wstring& button,
               const std::wstring& address) {
  std::vector<double> times;
  Started started;
  if (!Start(exe, false, started)) return 1;
  for (int run = 0; run < runs; ++run) {
    const double elapsed = CheckOnce(started, button, Expand(address, run));
    if (elapsed < 0) return 1;
    times.push_back(elapsed);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(started.info.hProcess, &memory, sizeof memory);
  char extra[64];
  std::snprintf(extra, sizeof extra, " peak-working-set-kb %zu", static_cast<size_t>(memory.PeakWorkingSetSize / 1024));
  Stop(started);
  Report(name, times, extra);
  return 0;
}

int TimeWholeRuns(const char* name, int runs, const std::wstring& exe, const std::wstring& button,
                  const std::wstring& address) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    Started started;
    const double start = Now();
    if (!Start(exe, false, started) || CheckOnce(started, button, Expand(address, run)) < 0) return 1;
    Stop(started);
    times.push_back(Now() - start);
  }
  Report(name, times);
  return 0;
}

int TimeProcess(const char* name, int runs, const std::wstring& command_line) {
  // What the command prints goes nowhere, not into the figures.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE nowhere = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                     OPEN_EXISTING, 0, nullptr);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere;
    PROCESS_INFORMATION info{};
    std::wstring command = command_line;
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
      CloseHandle(nowhere);
      return 1;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    times.push_back(Now() - start);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(nowhere);
  Report(name, times);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // It fills the current user's zone map and starts programs that change it.
  if (!orvel::test::MayChangeUserSettings("bench_driver")) return 3;
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"fill" && argc == 4) {
    Fill(_wtoi(argv[2]), _wtoi(argv[3]));
    return 0;
  }
  if (argc < 5) return 2;
  char name[64];
  WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, name, sizeof name, nullptr, nullptr);
  const int runs = _wtoi(argv[3]);
  const std::wstring target = argv[4];
  if (mode == L"startup") return TimeStartup(name, runs, target, argc > 5 && std::wstring(argv[5]) == L"--wait-text");
  if (mode == L"process") return TimeProcess(name, runs, target);
  if (argc < 7) return 2;
  if (mode == L"check") return TimeChecks(name, runs, target, argv[5], argv[6]);
  if (mode == L"whole") return TimeWholeRuns(name, runs, target, argv[5], argv[6]);
  return 2;
}
