#pragma once

#include <string>
#include <vector>

#include "cli/exit_codes.h"

namespace orvel::cli {

// The whole program: the arguments after its name, in UTF-8.
ExitCode Run(const std::vector<std::string>& arguments);

}  // namespace orvel::cli
