#pragma once

#include <windows.h>

#include "check/edge_restart.h"
#include "win/unique_any.h"

namespace orvel {

// Edge's browser processes of the desktop shell's user in its session, as
// the system lists them, each held by a handle from the listing on.
class Win32RunningEdge final : public RunningEdge {
 public:
  std::vector<EdgeBrowser> ListBrowsers() override;
  void EndSessions() override;
  bool Exited() override;
  bool ShowsAWindow() override;
  bool Terminate() override;

 private:
  struct Held {
    uint32_t id = 0;
    UniqueHandle process;
  };
  std::vector<Held> held_;
};

}  // namespace orvel
