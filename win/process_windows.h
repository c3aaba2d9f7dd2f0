#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace orvel {

// The visible top-level windows of some processes, asked to close as a
// person closing them would.
class ClosingWindows {
 public:
  // Asks each of them to close and returns without waiting; the windows of
  // an earlier call are forgotten.
  void Close(const std::vector<uint32_t>& process_ids);
  // Whether every window asked to close has gone.
  bool Gone() const;

 private:
  std::vector<HWND> windows_;
};

}  // namespace orvel
