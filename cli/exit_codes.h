#pragma once

#include <array>

namespace orvel::cli {

// The same for every verb.
enum ExitCode : int {
  kDone = 0,            // done, and nothing stops the settings
  kMissing = 1,         // status: something the tool writes is missing or wrong
  kBadArguments = 2,    // wrong arguments, or no user to act for
  kInvalidAddress = 3,  // the address is not one a site can have
  kFailed = 4,          // a registry or file operation failed
  kStopped = 5,         // in place, but a finding stops it: an administrator's work, not a remediation's
};

// With several users, the worst of them is the program's: a failure before a
// wrong address before wrong arguments, and something a remediation can fix
// before something it cannot.
inline ExitCode Worst(ExitCode a, ExitCode b) {
  constexpr std::array<int, 6> kRank = {0, 2, 3, 4, 5, 1};  // by code
  return kRank[a] >= kRank[b] ? a : b;
}

}  // namespace orvel::cli
