#pragma once

#include <windows.h>

namespace orvel {

// The window's dots per inch; the system's where Windows has no per-window
// value (before Windows 10, version 1607).
int DpiForWindow(HWND window);

// The outer size of a window whose client area is client_width by
// client_height pixels at that dpi.
SIZE WindowSizeForClient(int client_width, int client_height, DWORD style, DWORD ex_style, int dpi);

}  // namespace orvel
