#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"
#include "zones/registry.h"

namespace orvel::cli {

// The verbs that act on one user's registry, with the Win32 pieces they
// need (the machine's registry, ca.dat, the browser, the zone manager).
VerbResult CheckForUser(const Options& options, const SiteAddress& address, Registry& user, bool own_hive);
VerbResult StatusForUser(const Options& options, const SiteAddress& address, Registry& user, bool own_hive);
VerbResult RemoveForUser(const Options& options, const SiteAddress& address, Registry& user, bool own_hive);

}  // namespace orvel::cli
