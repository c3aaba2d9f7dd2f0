#include "win/shell_start.h"

#include <shellapi.h>

namespace orvel {

bool ShellStart(HWND owner, const std::wstring& file, const std::wstring& parameters) {
  // shell32 is the heaviest DLL the program uses and only Login needs it, so
  // it is loaded here rather than at start-up. It is a known DLL: the name
  // always means the system's own copy.
  using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
  static const auto shell_execute = reinterpret_cast<ShellExecuteExFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteExW")));
  if (shell_execute == nullptr) return false;
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_FLAG_NO_UI;
  execute.hwnd = owner;
  execute.lpFile = file.c_str();
  execute.lpParameters = parameters.c_str();
  execute.lpDirectory = L"";
  execute.nShow = SW_SHOWNORMAL;
  return shell_execute(&execute) != FALSE;
}

}  // namespace orvel
