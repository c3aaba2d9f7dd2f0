#include "win/shell_launcher.h"

#include <shellapi.h>

#include "win/utf16_text.h"

namespace orvel {

bool ShellLauncher::Start(std::string_view file, std::string_view parameters) {
  // shell32 is the heaviest DLL the program uses and only Login needs it, so
  // it is loaded here rather than at start-up. It is a known DLL: the name
  // always means the system's own copy.
  using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
  static const auto shell_execute = reinterpret_cast<ShellExecuteExFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteExW")));
  if (shell_execute == nullptr) return false;
  const std::wstring wide_file = Utf8ToWide(file);
  const std::wstring wide_parameters = Utf8ToWide(parameters);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.hwnd = owner_;
  execute.lpFile = wide_file.c_str();
  execute.lpParameters = wide_parameters.c_str();
  execute.lpDirectory = L"";
  execute.nShow = SW_SHOWNORMAL;
  return shell_execute(&execute) != FALSE;
}

}  // namespace orvel
