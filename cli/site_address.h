#pragma once

#include <string>
#include <string_view>

#include "check/address.h"
#include "zones/host_name.h"

namespace orvel::cli {

// The address as the check reads it: trimmed, then parsed.
struct SiteAddress : ParsedAddress {
  std::string text;
};

SiteAddress ReadSiteAddress(std::string_view typed);

std::string_view KindName(HostKind kind);

}  // namespace orvel::cli
