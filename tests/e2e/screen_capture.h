#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvel::e2e {

// Pixels as 0x00RRGGBB, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> data;
};

// What the screen shows in that rectangle.
Pixels CaptureScreen(const RECT& area);
// Draws into a fresh bitmap of that size, filled with background first.
Pixels Render(int width, int height, uint32_t background, const std::function<void(HDC)>& draw);
bool SaveScreenArea(const RECT& area, const std::wstring& path);

}  // namespace orvel::e2e
