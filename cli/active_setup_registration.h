#pragma once

#include <chrono>
#include <string>

#include "cli/verb_result.h"
#include "zones/registry.h"

namespace orvel::cli {

struct ActiveSetupRequest {
  enum class Action {
    kRegister,  // the component for `address`, replacing any registered
    kRenew,     // one registered: this program, its address, a higher version
    kRemove,
  };
  Action action = Action::kRegister;
  std::string program;  // the full path of the console program
  std::string address;  // kRegister's, as read
  std::chrono::system_clock::time_point now;
};

// The tool's Active Setup component in `machine` (HKEY_LOCAL_MACHINE), so
// that every user's next logon runs the check for that user. Lines, errors,
// JSON "active_setup" ({stub_path, version} as it is afterwards, or null),
// and whether anything was written or deleted; a renewal or removal with
// nothing registered does nothing.
VerbResult RunActiveSetup(Registry& machine, const ActiveSetupRequest& request);

}  // namespace orvel::cli
