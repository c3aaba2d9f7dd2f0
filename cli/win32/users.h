#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"
#include "cli/win32/output.h"
#include "zones/registry.h"

namespace orvel::cli {

// A verb for one user's registry. `own_hive`: the registry is this process's
// user's, whose browser the zone manager answers for.
using UserVerb = VerbResult (*)(const Options& options, const SiteAddress& address, Registry& user, bool own_hive);

// Runs the verb for the current user, the one --user names, or every loaded
// user hive with --all-users; prints each one's lines and errors and adds
// their JSON as "users". The worst exit code of them all.
ExitCode ForEachUser(const Options& options, const SiteAddress& address, UserVerb verb, Output& output,
                     JsonObject& json);

}  // namespace orvel::cli
