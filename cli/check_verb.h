#pragma once

#include "check/check_outcome.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// The lines, JSON and exit code of a check's outcome (with --login, of its
// browser's start too): the window's list and boxes as printed lines.
VerbResult CheckResult(const CheckOutcome& outcome);

}  // namespace orvel::cli
