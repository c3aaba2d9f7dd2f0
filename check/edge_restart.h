#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvel {

// Edge of the person at the desktop. It reads its IE mode policies and its
// first site list only when it starts, and keeps running after its last
// window closes (startup boost, background mode). The real one asks the
// system; tests stand in for it.
class RunningEdge {
 public:
  virtual ~RunningEdge() = default;
  // When the desktop user's Edge browser processes started (FILETIME ticks);
  // other users' and sessions' and Edge's own child processes are left out.
  virtual std::vector<uint64_t> BrowserStartTimes() = 0;
  // When the tool last changed IE mode's set-up (its record or its list);
  // none when it has set nothing up.
  virtual std::optional<uint64_t> SetUpChangedAt() = 0;
  // Asks each window of those processes to close, as a person closing it
  // would, waits up to 15 s for them with the program's window responsive,
  // then ends the processes left without a window. False, ending nothing,
  // when a window is still open.
  virtual bool CloseBrowsers() = 0;
};

// Whether an Edge that runs started before the set-up it has to read.
bool EdgeMustRestart(const std::vector<uint64_t>& started, std::optional<uint64_t> set_up_changed);

}  // namespace orvel
