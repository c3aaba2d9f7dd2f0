#pragma once

#include <string_view>

namespace orvel {

// True for a non-empty run of the ASCII digits 0-9.
bool IsDigits(std::string_view text);

// Whether `text` begins with `prefix` when ASCII letters are compared
// without regard to case, as the registry and URL schemes compare them.
bool StartsWithFolded(std::string_view text, std::string_view prefix);

}  // namespace orvel
