#pragma once

#include "cli/options.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// active-setup: this program's check for every user at their next logon,
// registered in the machine's 64-bit registry view; --again renews a
// registration there is, --remove deletes it.
VerbResult ActiveSetup(const Options& options);

}  // namespace orvel::cli
