#include "win/running_edge.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>

#include "iemode/ie_mode_keys.h"
#include "win/desktop_user.h"
#include "win/unique_any.h"
#include "win/user_account.h"
#include "win/utf16_text.h"
#include "win/win32_site_list_files.h"

namespace orvel {
namespace {

// Windows close on their own time: a page may ask whether to leave.
constexpr DWORD kWindowsCloseWithin = 15000;
constexpr DWORD kProcessesEndWithin = 5000;

uint64_t Ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

struct Browser {
  DWORD id = 0;
  uint64_t started = 0;
};

// msedge.exe processes not started by another msedge.exe (its renderers,
// GPU and utility processes are), of the shell's user and session.
std::vector<Browser> DesktopUsersBrowsers() {
  std::vector<Browser> browsers;
  // The shell's user and session; with no shell window (another shell, or
  // none), the program's own, which is then the only desktop it can know.
  DWORD desktop_process = GetCurrentProcessId();
  std::string user = ShellUserSid();
  if (const HWND shell = GetShellWindow(); shell != nullptr && !user.empty()) {
    GetWindowThreadProcessId(shell, &desktop_process);
  } else {
    user = ProcessUserSid(GetCurrentProcess());
  }
  DWORD session = 0;
  if (!ProcessIdToSessionId(desktop_process, &session)) return browsers;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (user.empty() || !snapshot.valid()) return browsers;
  std::vector<PROCESSENTRY32W> edges;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"msedge.exe") == 0) edges.push_back(entry);
  }
  for (const PROCESSENTRY32W& edge : edges) {
    const bool child = std::ranges::any_of(
        edges, [&](const PROCESSENTRY32W& other) { return other.th32ProcessID == edge.th32ParentProcessID; });
    DWORD edge_session = 0;
    if (child || !ProcessIdToSessionId(edge.th32ProcessID, &edge_session) || edge_session != session) continue;
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, edge.th32ProcessID));
    FILETIME created{}, exited{}, kernel{}, user_time{};
    if (process.valid() && ProcessUserSid(process.get()) == user &&
        GetProcessTimes(process.get(), &created, &exited, &kernel, &user_time)) {
      browsers.push_back({edge.th32ProcessID, Ticks(created)});
    }
  }
  return browsers;
}

struct WindowSearch {
  const std::vector<Browser>* browsers;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectBrowserWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (IsWindowVisible(window) &&
      std::ranges::any_of(*search.browsers, [&](const Browser& browser) { return browser.id == id; })) {
    search.windows.push_back(window);
  }
  return TRUE;
}

// The visible top-level windows of those processes.
std::vector<HWND> WindowsOf(const std::vector<Browser>& browsers) {
  WindowSearch search{&browsers, {}};
  EnumWindows(CollectBrowserWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

}  // namespace

template <typename Done>
bool Win32RunningEdge::WaitResponsive(Done done, DWORD milliseconds) const {
  // Like a modal box: the owner paints and moves, but takes no new click.
  const bool was_enabled = owner_ != nullptr && EnableWindow(owner_, FALSE) == 0;
  const ULONGLONG end = GetTickCount64() + milliseconds;
  bool finished = done();
  while (!finished && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    finished = done();
  }
  if (was_enabled) EnableWindow(owner_, TRUE);
  return finished;
}

std::vector<uint64_t> Win32RunningEdge::BrowserStartTimes() {
  std::vector<uint64_t> times;
  for (const Browser& browser : DesktopUsersBrowsers()) times.push_back(browser.started);
  return times;
}

std::optional<uint64_t> Win32RunningEdge::SetUpChangedAt() {
  std::optional<uint64_t> changed;
  UniqueKey record;
  FILETIME written{};
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(ie_mode_keys::kRecord).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                    record.put()) == ERROR_SUCCESS &&
      RegQueryInfoKeyW(record.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, &written) == ERROR_SUCCESS) {
    changed = Ticks(written);
  }
  // Only its time is read: where the folder is not the tool's, a later
  // time asks once too often, never too rarely.
  WIN32_FILE_ATTRIBUTE_DATA list{};
  if (GetFileAttributesExW(Utf8ToWide(Win32SiteListFiles().OwnListPath()).c_str(), GetFileExInfoStandard, &list)) {
    changed = std::max(changed.value_or(0), Ticks(list.ftLastWriteTime));
  }
  return changed;
}

bool Win32RunningEdge::CloseBrowsers() {
  const std::vector<Browser> browsers = DesktopUsersBrowsers();
  const std::vector<HWND> windows = WindowsOf(browsers);
  for (const HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
  const bool closed = WaitResponsive(
      [&] { return std::ranges::none_of(windows, [](HWND window) { return IsWindow(window) != FALSE; }); },
      kWindowsCloseWithin);
  if (!closed) return false;
  // What runs on without a window (startup boost, background mode) is ended.
  std::vector<UniqueHandle> ending;
  bool ended = true;
  for (const Browser& browser : browsers) {
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, browser.id));
    if (!process.valid()) continue;  // gone already
    if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT && !TerminateProcess(process.get(), 1)) ended = false;
    ending.push_back(std::move(process));
  }
  return WaitResponsive(
             [&] {
               return std::ranges::all_of(ending, [](const UniqueHandle& process) {
                 return WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT;
               });
             },
             kProcessesEndWithin) &&
         ended;
}

}  // namespace orvel
