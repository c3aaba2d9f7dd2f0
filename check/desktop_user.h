#pragma once

#include <string_view>

namespace orvel {

// Whether the program runs as another account than the one that owns the
// desktop's shell (elevated with an administrator's name and password), so
// the settings belong in the desktop user's hive. SIDs in their text form;
// an empty one (the shell is not running, or its user cannot be read) means
// there is no other user to write for.
bool IsOtherDesktopUser(std::string_view program_sid, std::string_view desktop_sid);

}  // namespace orvel
