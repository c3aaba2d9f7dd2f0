#pragma once

#include <string>
#include <string_view>

namespace orvel {

// ASCII letters compared without case, as the registry compares key and
// value names and URLs compare schemes; other bytes compare as they are.

// The text with ASCII letters in upper case: a name as the registry
// compares it.
std::string FoldName(std::string_view name);

bool EqualsFolded(std::string_view a, std::string_view b);

bool StartsWithFolded(std::string_view text, std::string_view prefix);

// True for a non-empty run of the ASCII digits 0-9.
bool IsDigits(std::string_view text);

}  // namespace orvel
