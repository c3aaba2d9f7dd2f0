#pragma once

#include <string_view>
#include <vector>

namespace orvel {

// Whose browser Login starts, and how.

// Whether the program runs as another account than the one that owns the
// desktop's shell (elevated with an administrator's name and password), so
// the settings belong in the desktop user's hive. SIDs in their text form;
// an empty one (the shell is not running, or its user cannot be read) means
// there is no other user to write for.
bool IsOtherDesktopUser(std::string_view program_sid, std::string_view desktop_sid);

// How a browser is started for the person at the desktop.
enum class LaunchRoute {
  kDirect,        // by this program, with its own token
  kDesktopShell,  // by the desktop's shell, with the desktop user's token
};

struct LaunchFacts {
  bool elevated = false;
  bool other_user = false;  // this program runs as someone other than the desktop user
};

// The routes to try, in order, until one starts the browser. An elevated
// token is never handed to a browser, and another user's browser would miss
// the desktop user's settings: both go through the desktop's shell. Where
// that shell does not answer, only an unelevated program starts the browser
// itself.
std::vector<LaunchRoute> LaunchRoutes(const LaunchFacts& facts);

}  // namespace orvel
