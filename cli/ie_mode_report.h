#pragma once

#include <string>
#include <string_view>

#include "cli/verb_result.h"
#include "iemode/ie_mode_setup.h"

namespace orvel::cli {

// The "ie_mode" object of --json: what was read of Edge's IE mode.
std::string IeModeJson(const IeModeState& state);

// The error line of a change to the machine's part that failed with
// `status`: for the tool's folder refused, the folder and why.
std::string NotWrittenError(int32_t status);

// The ie-mode verb's lines, JSON and exit code: 4 when the machine's
// policies or the tool's list could not be written. With the `address` the
// check was given, the check's machine part instead, once after every user's:
// one this process may not write is left to an administrator (5), as the
// check for one user does.
VerbResult IeModeResult(const IeModeOutcome& outcome, std::string_view address = {});

// ie-mode --remove and --remove-all, from the status of taking it back.
VerbResult IeModeRemovalResult(int32_t removed);

}  // namespace orvel::cli
