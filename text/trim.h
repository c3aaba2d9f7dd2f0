#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The text before its first NUL, or all of it.
std::string TrimAtNul(std::string_view text);

// Removes blanks (U+0020) and ideographic spaces (U+3000) at both ends;
// tabs and other characters stay.
std::string TrimBlanks(std::string_view text);

}  // namespace orvel
