#pragma once

#include <windows.h>

#include "check/edge_restart.h"

namespace orvel {

// Edge's browser processes of the desktop shell's user in its session, as
// the system lists them; they are closed through their windows, and ended
// only once those are gone.
class Win32RunningEdge final : public RunningEdge {
 public:
  // `owner` is kept painting, and closed to clicks, while Edge closes.
  explicit Win32RunningEdge(HWND owner) : owner_(owner) {}

  std::vector<uint64_t> BrowserStartTimes() override;
  std::optional<uint64_t> SetUpChangedAt() override;
  bool CloseBrowsers() override;

 private:
  // Runs the owner's messages until `done` holds or `milliseconds` pass;
  // what `done` says then.
  template <typename Done>
  bool WaitResponsive(Done done, DWORD milliseconds) const;

  HWND owner_;
};

}  // namespace orvel
