#pragma once

#include <windows.h>

#include "check/edge_restart.h"
#include "win/unique_any.h"

namespace orvel {

// Edge's browser processes of the desktop shell's user in its session, as
// the system lists them; they are closed through their windows, and ended
// only once those are gone.
class Win32RunningEdge final : public RunningEdge {
 public:
  std::vector<uint64_t> BrowserStartTimes() override;
  void CloseWindows() override;
  bool WindowsClosed() override;
  bool EndProcesses() override;
  bool ProcessesEnded() override;

 private:
  std::vector<uint32_t> closing_;
  // The visible top-level windows of `closing_`, asked to close.
  std::vector<HWND> windows_;
  std::vector<UniqueHandle> ending_;
};

}  // namespace orvel
