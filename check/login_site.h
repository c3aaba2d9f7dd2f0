#pragma once

#include "check/browser_launcher.h"
#include "check/check_outcome.h"
#include "check/check_site.h"
#include "check/check_view.h"
#include "check/saved_address.h"

namespace orvel {

// Login: the whole check of the address in the view and, only when it
// succeeds and its box is closed, the browser on that address: Internet
// Explorer from the program-files folder, or where it is retired, Edge. A browser that cannot be started is reported in
// a box of its own.
CheckOutcome LoginSite(CheckView& view, const CheckRegistries& registries, AddressStore* store,
                       BrowserLauncher& launcher, const ProgramFilesFolders& folders);

}  // namespace orvel
