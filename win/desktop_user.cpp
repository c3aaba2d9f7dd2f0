#include "win/desktop_user.h"

#include "check/login_route.h"
#include "win/system_library.h"

namespace orvel {

std::optional<uint32_t> ShellProcessId() {
  // Loaded when asked: the console program needs user32 only for Login.
  static const auto shell_window = LoadSystemFunction<decltype(&::GetShellWindow)>(L"user32.dll", "GetShellWindow");
  static const auto window_process =
      LoadSystemFunction<decltype(&::GetWindowThreadProcessId)>(L"user32.dll", "GetWindowThreadProcessId");
  const HWND shell = shell_window != nullptr && window_process != nullptr ? shell_window() : nullptr;
  if (shell == nullptr) return std::nullopt;
  DWORD process_id = 0;
  window_process(shell, &process_id);
  if (process_id == 0) return std::nullopt;
  return process_id;
}

std::string ShellUserSid() {
  const std::optional<uint32_t> shell = ShellProcessId();
  if (!shell) return {};
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, *shell));
  return process.valid() ? ProcessUserSid(process.get()) : std::string();
}

std::optional<DesktopUserHive> OpenDesktopUserHive() {
  const std::string desktop_sid = ShellUserSid();
  if (!IsOtherDesktopUser(ProcessUserSid(GetCurrentProcess()), desktop_sid)) return std::nullopt;
  UniqueKey hive = OpenUserHive(desktop_sid);
  if (!hive.valid()) return std::nullopt;
  return DesktopUserHive{std::move(hive), AccountName(desktop_sid)};
}

}  // namespace orvel
