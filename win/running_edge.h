#pragma once

#include "check/edge_restart.h"
#include "iemode/site_list_files.h"
#include "win/process_windows.h"
#include "win/unique_any.h"
#include "win/win32_registry.h"

namespace orvel {

// Edge's browser processes of the desktop shell's user in its session, as
// the system lists them; they are closed through their windows, and ended
// only once those are gone.
class Win32RunningEdge final : public RunningEdge {
 public:
  // The set-up's time is read from IE mode's record in `machine` and from
  // the tool's own list among `site_lists`.
  Win32RunningEdge(Win32Registry& machine, SiteListFiles& site_lists) : machine_(machine), site_lists_(site_lists) {}

  std::vector<uint64_t> BrowserStartTimes() override;
  std::optional<uint64_t> SetUpChangedAt() override;
  void CloseWindows() override;
  bool WindowsClosed() override;
  bool EndProcesses() override;
  bool ProcessesEnded() override;

 private:
  Win32Registry& machine_;
  SiteListFiles& site_lists_;
  std::vector<uint32_t> closing_;
  ClosingWindows windows_;
  std::vector<UniqueHandle> ending_;
};

}  // namespace orvel
