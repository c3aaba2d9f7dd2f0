#include "win/running_edge.h"

#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <string>

#include "win/desktop_user.h"
#include "win/system_library.h"
#include "win/user_account.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

// Opened once per process listed: enough to read it, wait for it and end it.
constexpr DWORD kProcessAccess = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE;
// ProcessCommandLineInformation (Windows 8.1 and later), which asks only
// for PROCESS_QUERY_LIMITED_INFORMATION.
constexpr auto kCommandLineInformation = static_cast<PROCESSINFOCLASS>(60);

uint64_t Ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

std::optional<uint32_t> SessionOf(DWORD process_id) {
  DWORD session = 0;
  if (!ProcessIdToSessionId(process_id, &session)) return std::nullopt;
  return session;
}

std::optional<uint64_t> StartOf(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user_time{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user_time)) return std::nullopt;
  return Ticks(created);
}

std::optional<std::string> CommandLineOf(HANDLE process) {
  static const auto query =
      LoadSystemFunction<decltype(&::NtQueryInformationProcess)>(L"ntdll.dll", "NtQueryInformationProcess");
  if (query == nullptr) return std::nullopt;
  ULONG size = 0;
  query(process, kCommandLineInformation, nullptr, 0, &size);
  if (size < sizeof(UNICODE_STRING)) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!NT_SUCCESS(query(process, kCommandLineInformation, buffer.data(), size, &size))) return std::nullopt;
  const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
  return WideToUtf8(std::wstring_view(text->Buffer, text->Length / sizeof(wchar_t)));
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
  std::vector<uint32_t> process_ids;
  bool visible_only = false;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if ((!search.visible_only || IsWindowVisible(window)) &&
      std::ranges::find(search.process_ids, id) != search.process_ids.end()) {
    search.windows.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> WindowsOf(std::vector<uint32_t> process_ids, bool visible_only) {
  WindowSearch search{std::move(process_ids), visible_only, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return std::move(search.windows);
}

// The window's answer to the query: WM_ENDSESSION tells it whether the
// session ends after all, as Windows does.
void CALLBACK AnswerQuery(HWND window, UINT, ULONG_PTR, LRESULT ends) {
  SendNotifyMessageW(window, WM_ENDSESSION, ends != FALSE, ENDSESSION_CLOSEAPP);
}

bool HasExited(const UniqueHandle& process) { return WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT; }

}  // namespace

std::vector<EdgeBrowser> Win32RunningEdge::ListBrowsers() {
  held_.clear();
  std::vector<ListedProcess> listed;
  std::vector<UniqueHandle> opened;
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = snapshot.valid() && Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    ListedProcess process{entry.th32ProcessID, entry.th32ParentProcessID, WideToUtf8(entry.szExeFile)};
    UniqueHandle handle;
    if (_wcsicmp(entry.szExeFile, L"msedge.exe") == 0) {
      handle.reset(OpenProcess(kProcessAccess, FALSE, entry.th32ProcessID));
      if (handle.valid()) {
        process.started = StartOf(handle.get());
        process.command_line = CommandLineOf(handle.get());
      }
    }
    listed.push_back(std::move(process));
    opened.push_back(std::move(handle));
  }
  const ProcessOwner desktop = DesktopOwner();
  std::vector<EdgeBrowser> browsers;
  for (const uint32_t id : EdgeBrowsers(listed)) {
    const size_t at = static_cast<size_t>(std::ranges::find(listed, id, &ListedProcess::id) - listed.begin());
    UniqueHandle& process = opened[at];
    const std::string user = process.valid() ? ProcessUserSid(process.get()) : std::string();
    const BrowserOwner owner = WhoseBrowser({SessionOf(id), user}, process.valid(), listed[at].started, desktop);
    if (owner == BrowserOwner::kSomeoneElse) continue;
    const bool reachable = owner == BrowserOwner::kDesktopUser;
    browsers.push_back({reachable ? *listed[at].started : 0, !WindowsOf({id}, true).empty(), reachable});
    if (reachable) held_.push_back({id, std::move(process)});
  }
  return browsers;
}

void Win32RunningEdge::EndSessions() {
  std::vector<uint32_t> ids;
  for (const Held& held : held_) ids.push_back(held.id);
  for (const HWND window : WindowsOf(ids, false)) {
    SendMessageCallbackW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, AnswerQuery, 0);
  }
}

bool Win32RunningEdge::Exited() {
  return std::ranges::all_of(held_, [](const Held& held) { return HasExited(held.process); });
}

bool Win32RunningEdge::ShowsAWindow() {
  std::vector<uint32_t> running;
  for (const Held& held : held_) {
    if (!HasExited(held.process)) running.push_back(held.id);
  }
  return !running.empty() && !WindowsOf(running, true).empty();
}

bool Win32RunningEdge::Terminate() {
  bool ended = true;
  for (const Held& held : held_) {
    if (!HasExited(held.process) && !TerminateProcess(held.process.get(), 1)) ended = false;
  }
  return ended;
}

}  // namespace orvel
