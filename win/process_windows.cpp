#include "win/process_windows.h"

#include <algorithm>

namespace orvel {
namespace {

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

}  // namespace

void ClosingWindows::Close(const std::vector<uint32_t>& process_ids) {
  WindowSearch search{&process_ids, {}};
  EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  windows_ = std::move(search.windows);
  for (const HWND window : windows_) PostMessageW(window, WM_CLOSE, 0, 0);
}

bool ClosingWindows::Gone() const {
  return std::ranges::none_of(windows_, [](HWND window) { return IsWindow(window) != FALSE; });
}

}  // namespace orvel
