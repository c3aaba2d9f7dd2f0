#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The text before its first NUL, or all of it.
std::string TrimAtNul(std::string_view text);

// The path without one trailing backslash, which names the same key.
std::string_view WithoutTrailingBackslash(std::string_view path);

}  // namespace orvel
