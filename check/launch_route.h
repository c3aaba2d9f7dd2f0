#pragma once

namespace orvel {

// How a browser is started for the person at the desktop.
enum class LaunchRoute {
  kDirect,        // by this program, with its own token
  kDesktopShell,  // by the desktop's shell, with the desktop user's token
  kNone,          // not at all
};

struct LaunchFacts {
  bool elevated = false;
  bool other_user = false;  // this program runs as someone other than the desktop user
  bool shell_reachable = true;
};

// An elevated token is never handed to a browser, and another user's
// browser would miss the desktop user's settings: both go through the
// desktop's shell. Without it, only an unelevated program starts the
// browser itself.
LaunchRoute ChooseLaunchRoute(const LaunchFacts& facts);

}  // namespace orvel
