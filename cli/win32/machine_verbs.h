#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// ie-mode: only the machine's part of the check, Edge's IE mode for the
// site; with --remove the host leaves the tool's own list, with --remove-all
// (and no address) everything the tool set up for IE mode is taken back.
VerbResult IeMode(const Options& options, const SiteAddress& address);

// The machine's part of check --all-users, once after every user's: written
// where this process may, else left to an administrator.
VerbResult CheckMachinePart(const SiteAddress& address);

// status --machine, and status --all-users after every user's: read only,
// as any account, SYSTEM too, with no user's hive.
VerbResult MachineStatus(const SiteAddress& address);

// remove's part on the machine, shown after every user's (`users`), with the
// worse code of the two.
VerbResult RemoveFromMachine(const Options& options, const SiteAddress& address, VerbResult users);

}  // namespace orvel::cli
