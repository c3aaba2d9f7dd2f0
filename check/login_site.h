#pragma once

#include "check/browser_launcher.h"
#include "check/check_outcome.h"

namespace orvel {

// Login's last step, once its check succeeded and the check's box is closed:
// the browser on the address as checked, Internet Explorer from the
// program-files folder or, where it is retired, Edge. Records in the outcome
// whether it started; nothing starts after a failed check.
void StartBrowser(CheckOutcome& outcome, BrowserLauncher& launcher, const ProgramFilesFolders& folders);

// Edge on its own, without the site, so that it reads its policies and site
// list before its first navigation; with `restore`, on the session it saved
// when it was ended for the restart. False when it could not be started.
bool StartEdgeAlone(const IeModeState& ie_mode, BrowserLauncher& launcher, bool restore);

}  // namespace orvel
