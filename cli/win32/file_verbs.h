#pragma once

#include "cli/address_report.h"
#include "cli/options.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// The verbs that write a file and no user's settings.

// A .reg file (or its text on standard output) that makes the check's
// settings for the current user or the one --user names; with --site-list,
// an IE mode site list holding the site instead.
VerbResult Export(const Options& options, const SiteAddress& address);

// ca.dat beside the program, as the window saves it.
VerbResult SetAddress(const SiteAddress& address);

}  // namespace orvel::cli
