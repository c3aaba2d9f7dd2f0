#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// Whom a per-user verb acts for.
struct UserChoice {
  enum class Kind : uint8_t {
    kUsers,         // each of `sids` in turn; an empty name is the current user
    kRefuseSystem,  // SYSTEM without --user or --all-users: its own hive is nobody's browser
    kNobodyLoaded,  // --all-users, and no person's hive is loaded: only the machine's part now
  };
  Kind kind = Kind::kUsers;
  std::vector<std::string> sids;
  bool operator==(const UserChoice&) const = default;
};

// From the options, whether this process runs as SYSTEM, and the names of
// the hives loaded under HKEY_USERS.
UserChoice ChooseUsers(const Options& options, bool running_as_system, const std::vector<std::string>& loaded_hives);

// The users' part of a --all-users run that found nobody logged on: no
// failure, a line, and no user in the JSON; the machine's part follows.
VerbResult NobodyLoggedOn(Verb verb);

}  // namespace orvel::cli
