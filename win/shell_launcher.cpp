#include "win/shell_launcher.h"

#include <shellapi.h>

#include <algorithm>

#include "check/login_route.h"
#include "win/desktop_shell.h"
#include "win/desktop_user.h"
#include "win/system_library.h"
#include "win/unique_any.h"
#include "win/user_account.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

bool IsElevated() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

}  // namespace

bool ShellLauncher::Start(std::string_view file, std::string_view parameters) {
  const std::wstring wide_file = Utf8ToWide(file);
  const std::wstring wide_parameters = Utf8ToWide(parameters);
  const LaunchFacts facts{.elevated = IsElevated(),
                          .other_user = IsOtherDesktopUser(ProcessUserSid(GetCurrentProcess()), ShellUserSid())};
  return std::ranges::any_of(LaunchRoutes(facts), [&](LaunchRoute route) {
    return route == LaunchRoute::kDesktopShell ? OpenThroughDesktopShell(wide_file, wide_parameters)
                                               : StartDirectly(wide_file, wide_parameters);
  });
}

bool ShellLauncher::StartDirectly(const std::wstring& file, const std::wstring& parameters) const {
  // shell32 is the heaviest DLL the program uses and only Login needs it, so
  // it is loaded here rather than at start-up.
  static const auto shell_execute = LoadSystemFunction<decltype(&::ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  if (shell_execute == nullptr) return false;
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.hwnd = owner_;
  execute.lpFile = file.c_str();
  execute.lpParameters = parameters.c_str();
  execute.lpDirectory = L"";
  execute.nShow = SW_SHOWNORMAL;
  return shell_execute(&execute) != FALSE;
}

}  // namespace orvel
