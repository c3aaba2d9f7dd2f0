#include "tests/e2e/box_icon.h"

#include <cstdlib>

#include "tests/e2e/screen_capture.h"

namespace orvel::e2e {
namespace {

// Pixels that differ by more than a little in any channel.
size_t Differences(const Pixels& a, const Pixels& b) {
  size_t count = 0;
  for (size_t i = 0; i < a.data.size() && i < b.data.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      if (std::abs(static_cast<int>((a.data[i] >> shift) & 0xFF) - static_cast<int>((b.data[i] >> shift) & 0xFF)) >
          16) {
        ++count;
        break;
      }
    }
  }
  return count;
}

}  // namespace

const wchar_t* RecogniseBoxIcon(HWND icon_control) {
  RECT area{};
  GetClientRect(icon_control, &area);
  MapWindowPoints(icon_control, nullptr, reinterpret_cast<POINT*>(&area), 2);
  const Pixels shown = CaptureScreen(area);
  if (shown.data.empty()) return nullptr;
  const auto drawn = [&](const wchar_t* icon) {
    return Render(shown.width, shown.height, shown.data[0], [icon, &shown](HDC dc) {
      DrawIconEx(dc, 0, 0, LoadIconW(nullptr, icon), shown.width, shown.height, 0, nullptr, DI_NORMAL);
    });
  };
  const size_t exclamation = Differences(shown, drawn(IDI_EXCLAMATION));
  const size_t information = Differences(shown, drawn(IDI_INFORMATION));
  // A match leaves hardly a pixel apart; the other icon differs in many.
  const size_t close = shown.data.size() / 20;
  if (exclamation <= close && information > close) return IDI_EXCLAMATION;
  if (information <= close && exclamation > close) return IDI_INFORMATION;
  return nullptr;
}

}  // namespace orvel::e2e
