#pragma once

#include <cstdint>

#include "cli/exit_codes.h"
#include "cli/options.h"

namespace orvel::cli {

// The machine's part of Edge's IE mode for the site: the tool's list and the
// policies it sets.
enum class MachinePart : uint8_t {
  kInPlace,      // or not needed
  kMissing,      // needed and not there (not written, not taken back)
  kWriteFailed,  // a write or delete that was possible failed
};

// What the machine's part says in a verb's exit code, by whether this
// process may write it: a remediation's work (1) where it could, an
// administrator's (5) where it could not. remove leaves the part it may not
// change and says so: that is no failure.
ExitCode MachinePartCode(Verb verb, MachinePart part, bool may_write);

}  // namespace orvel::cli
