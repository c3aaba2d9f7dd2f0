#pragma once

#include "check/browser_launcher.h"
#include "check/check_outcome.h"
#include "check/check_view.h"
#include "check/edge_restart.h"

namespace orvel {

// Login's last step, once its check succeeded and the check's box is closed:
// the browser on the address as checked, Internet Explorer from the
// program-files folder or, where it is retired, Edge. Records in the outcome
// whether it started; nothing starts after a failed check.
void StartBrowser(CheckOutcome& outcome, BrowserLauncher& launcher, const ProgramFilesFolders& folders);

// The window's Login once its check has run: the check's lines and box, then
// the browser, and a box of its own for a browser that did not start. Where
// Edge is to open the site in IE mode and an Edge of the desktop user started
// before the set-up, it first offers to restart it, and ends nothing without
// a Yes.
void ShowCheckAndStartBrowser(CheckView& view, CheckOutcome& outcome, BrowserLauncher& launcher,
                              const ProgramFilesFolders& folders, RunningEdge& edge);

}  // namespace orvel
