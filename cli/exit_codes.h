#pragma once

#include <algorithm>

namespace orvel::cli {

// The same for every verb; with several users, the worst of them (the
// highest) is the program's.
enum ExitCode : int {
  kDone = 0,            // done, and nothing stops it
  kFound = 1,           // done, but something stops it (status: something is missing)
  kBadArguments = 2,    // wrong arguments, or no user to act for
  kInvalidAddress = 3,  // the address is not one a site can have
  kFailed = 4,          // a registry or file operation failed
};

inline ExitCode Worst(ExitCode a, ExitCode b) { return std::max(a, b); }

}  // namespace orvel::cli
