#pragma once

#include <string>

namespace orvel {

// Asks the shell of the desktop to open `file` with `parameters`, as if the
// person at the desktop had started it: the program runs with that person's
// own token, unelevated, whatever this process's token is. False when no
// shell of the desktop answers or it refuses. Initialises COM on the calling
// thread for the call.
bool OpenThroughDesktopShell(const std::wstring& file, const std::wstring& parameters);

}  // namespace orvel
