#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
  // Asks each window of those processes to close, as a person closing it
  // would, and returns without waiting.
  virtual void CloseWindows() = 0;
  // Whether every window asked to close has gone.
  virtual bool WindowsClosed() = 0;
  // Ends the processes of the last CloseWindows, which may run on without a
  // window; false when one could not be ended.
  virtual bool EndProcesses() = 0;
  // Whether every process ended has exited.
  virtual bool ProcessesEnded() = 0;
};

// Whether an Edge that runs started before the set-up it has to read.
bool EdgeMustRestart(const std::vector<uint64_t>& started, std::optional<uint64_t> set_up_changed);

// A process as the system lists it.
struct ListedProcess {
  uint32_t id = 0;
  uint32_t parent = 0;
  std::string file;  // its program's file name
};

// Edge's browser processes among them: msedge.exe processes that no other
// msedge.exe started (its renderers, GPU and utility processes are).
std::vector<uint32_t> EdgeBrowsers(const std::vector<ListedProcess>& processes);

// Whose a process is, as far as the system says: none or empty where it
// could not be read.
struct ProcessOwner {
  std::optional<uint32_t> session;
  std::string user_sid;
};

// Whether a browser process counts as the desktop user's: of the desktop's
// session and user, both known, and with a start time that could be read.
bool IsDesktopUsersBrowser(const ProcessOwner& owner, std::optional<uint64_t> started, const ProcessOwner& desktop);

}  // namespace orvel
