#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"
#include "iemode/site_list_files.h"
#include "zones/registry.h"

namespace orvel::cli {

// Takes the host's entries away; the zone's shared settings go back to what
// they were once the tool's last site has left (ReleaseZoneRecord).
VerbResult RunRemove(Registry& registry, const SiteAddress& address);

// The machine's part, once after every user's (`users`: the worst of their
// codes). The tool's IE mode list serves everyone: the host leaves it only
// for all users, with its http trust gone too (no scheme typed), and only
// when each user's entries went; else a line says it stays and how to take it.
// Where this process `may_write` nothing of the machine's, it stays, said too.
VerbResult RemoveFromIeModeList(Registry& machine_writes, SiteListFiles& files, const Options& options,
                                const SiteAddress& address, ExitCode users, bool may_write);

}  // namespace orvel::cli
