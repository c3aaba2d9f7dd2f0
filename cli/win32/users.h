#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"
#include "zones/registry.h"

namespace orvel::cli {

// A verb for one user's registry. `own_hive`: the registry is this process's
// user's, whose browser the zone manager answers for.
using UserVerb = VerbResult (*)(const Options& options, const SiteAddress& address, Registry& user, bool own_hive);

// Runs the verb for the current user, the one --user names, or every loaded
// user hive with --all-users: each one's result, headed by the user's SID,
// shown in turn; their JSON as "users"; the worst exit code of them all.
// With --all-users and nobody logged on there is no one: a line says so, and
// the machine's part, done after the users, is all the run can do.
VerbResult ForEachUser(const Options& options, const SiteAddress& address, UserVerb verb);

}  // namespace orvel::cli
