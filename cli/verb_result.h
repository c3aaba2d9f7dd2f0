#pragma once

#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/json.h"

namespace orvel::cli {

// What one verb did for one user.
struct VerbResult {
  ExitCode code = kDone;
  std::vector<std::string> lines;   // for standard output, in order
  std::vector<std::string> errors;  // for standard error
  JsonObject json;                  // the same facts, for --json
};

}  // namespace orvel::cli
