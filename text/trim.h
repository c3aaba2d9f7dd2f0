#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The text before its first NUL, or all of it.
std::string TrimAtNul(std::string_view text);

}  // namespace orvel
