#pragma once

#include <string>
#include <string_view>

#include "zones/host_name.h"

namespace orvel {

// Removes blanks (U+0020) and ideographic spaces (U+3000) at both ends;
// tabs and other characters stay.
std::string TrimBlanks(std::string_view text);

inline constexpr std::string_view kHttpPrefix = "http://";

// True when the address begins with "http://" in any letter case.
bool HasHttpPrefix(std::string_view address);

// Reduces a trimmed address to its host and tells what kind of host it is.
// `host` is written only when the result is not kInvalid.
HostKind ParseSiteAddress(std::string_view address, std::string& host);

}  // namespace orvel
