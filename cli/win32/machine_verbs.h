#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/win32/output.h"

namespace orvel::cli {

// ie-mode: only the machine's part of the check, Edge's IE mode for the
// site; with --remove the host leaves the tool's own list, with --remove-all
// (and no address) everything the tool set up for IE mode is taken back.
ExitCode IeMode(const Options& options, const SiteAddress& address, Output& output, JsonObject& json);

// remove's part on the machine, after every user's (`users`, their worst
// code): the worse of the two.
ExitCode RemoveFromMachine(const Options& options, const SiteAddress& address, ExitCode users, Output& output,
                           JsonObject& json);

}  // namespace orvel::cli
