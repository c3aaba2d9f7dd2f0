#pragma once

namespace orvel::cli {

// For a run no one watches, as at a logon: a console window that is this
// process's alone is hidden, and the process ends with exit code 4 when it
// has not ended within a minute, so that it never holds up the logon.
void StartUnwatchedRun();

}  // namespace orvel::cli
