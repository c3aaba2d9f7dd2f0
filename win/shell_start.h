#pragma once

#include <windows.h>

#include <string>

namespace orvel {

// Starts `file` with `parameters` through the shell, in a normal window,
// without waiting for it and without a shell error box of its own. False
// when it could not be started.
bool ShellStart(HWND owner, const std::wstring& file, const std::wstring& parameters);

}  // namespace orvel
