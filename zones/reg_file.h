#pragma once

#include <string>
#include <string_view>

#include "zones/site.h"

namespace orvel {

inline constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";

// The fixed name of a numeric host's Range entry in a .reg file: "ORVEL-"
// and the host. The host makes it differ for every address, and the Range
// names a check chooses never hold a "-".
std::string RegFileRangeName(std::string_view host);

// A .reg file, as `reg import` and Group Policy Preferences take it, that
// makes the host's zone-map entry for the scheme, the zone's settings and the host's pop-up
// allow value as a check does, below `root` ("HKEY_CURRENT_USER" or
// "HKEY_USERS\<SID>"). UTF-8 with CR LF line ends.
std::string RegFileText(std::string_view root, const Site& site);

}  // namespace orvel
