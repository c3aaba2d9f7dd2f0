#pragma once

#include <string_view>

#include "check/browser_launcher.h"
#include "check/check_outcome.h"
#include "check/check_site.h"
#include "check/saved_address.h"
#include "cli/verb_result.h"

namespace orvel::cli {

// What Login needs beyond the check.
struct Login {
  BrowserLauncher& launcher;
  ProgramFilesFolders folders;
};

// The window's Check, or with `login` its Login, for one user: the check's
// lines and boxes as printed lines. Without a store the address is kept
// nowhere.
VerbResult RunCheck(const CheckRegistries& registries, AddressStore* store, std::string_view address,
                    const Login* login = nullptr);

// The lines, JSON and exit code of a check's outcome.
VerbResult CheckResult(const CheckOutcome& outcome);

}  // namespace orvel::cli
