#pragma once

#include <cstdint>

#include "cli/exit_codes.h"
#include "cli/options.h"
#include "iemode/ie_mode_setup.h"

namespace orvel::cli {

// What the machine's part says in a verb's exit code, by whether this
// process may write it: a remediation's work (1) where it could, an
// administrator's (5) where it could not. remove leaves the part it may not
// change and says so: that is no failure.
ExitCode MachinePartCode(Verb verb, MachinePart part, bool may_write);

}  // namespace orvel::cli
