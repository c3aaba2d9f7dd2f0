#pragma once

#include <cstdint>
#include <string_view>

#include "zones/registry.h"

namespace orvel {

// Relaxes the trusted-sites zone's eight settings, recording first what they
// were (RecordZoneSettings), and allows the host's pop-ups. 0, or the status
// of the first call that failed; what was written before a failure stays.
int32_t SetZonePermissions(Registry& registry, std::string_view host);

}  // namespace orvel
