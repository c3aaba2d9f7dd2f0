#include "win/running_edge.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>

#include "win/desktop_user.h"
#include "win/user_account.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

uint64_t Ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

std::optional<uint32_t> SessionOf(DWORD process_id) {
  DWORD session = 0;
  if (!ProcessIdToSessionId(process_id, &session)) return std::nullopt;
  return session;
}

std::vector<ListedProcess> ListedProcesses() {
  std::vector<ListedProcess> processes;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, WideToUtf8(entry.szExeFile)});
  }
  return processes;
}

// The shell's user and session; with no shell window (another shell, or
// none), the program's own, which is then the only desktop it can know.
ProcessOwner DesktopOwner() {
  std::string user = ShellUserSid();
  const std::optional<uint32_t> shell = ShellProcessId();
  if (shell && !user.empty()) return {SessionOf(*shell), user};
  return {SessionOf(GetCurrentProcessId()), ProcessUserSid(GetCurrentProcess())};
}

struct WindowSearch {
  const std::vector<uint32_t>* process_ids;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (IsWindowVisible(window) && std::ranges::find(*search.process_ids, id) != search.process_ids->end()) {
    search.windows.push_back(window);
  }
  return TRUE;
}

struct Browser {
  uint32_t id = 0;
  uint64_t started = 0;
};

std::vector<Browser> DesktopUsersBrowsers() {
  const ProcessOwner desktop = DesktopOwner();
  std::vector<Browser> browsers;
  for (const uint32_t id : EdgeBrowsers(ListedProcesses())) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process.valid()) continue;
    FILETIME created{}, exited{}, kernel{}, user_time{};
    const std::optional<uint64_t> started = GetProcessTimes(process.get(), &created, &exited, &kernel, &user_time)
                                                ? std::optional(Ticks(created))
                                                : std::nullopt;
    if (IsDesktopUsersBrowser({SessionOf(id), ProcessUserSid(process.get())}, started, desktop)) {
      browsers.push_back({id, *started});
    }
  }
  return browsers;
}

}  // namespace

std::vector<uint64_t> Win32RunningEdge::BrowserStartTimes() {
  std::vector<uint64_t> times;
  for (const Browser& browser : DesktopUsersBrowsers()) times.push_back(browser.started);
  return times;
}

void Win32RunningEdge::CloseWindows() {
  closing_.clear();
  for (const Browser& browser : DesktopUsersBrowsers()) closing_.push_back(browser.id);
  WindowSearch search{&closing_, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  windows_ = std::move(search.windows);
  for (const HWND window : windows_) PostMessageW(window, WM_CLOSE, 0, 0);
}

bool Win32RunningEdge::WindowsClosed() {
  return std::ranges::none_of(windows_, [](HWND window) { return IsWindow(window) != FALSE; });
}

bool Win32RunningEdge::EndProcesses() {
  ending_.clear();
  bool ended = true;
  for (const uint32_t id : closing_) {
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process.valid()) continue;  // gone already
    if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT && !TerminateProcess(process.get(), 1)) ended = false;
    ending_.push_back(std::move(process));
  }
  return ended;
}

bool Win32RunningEdge::ProcessesEnded() {
  return std::ranges::all_of(
      ending_, [](const UniqueHandle& process) { return WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT; });
}

}  // namespace orvel
