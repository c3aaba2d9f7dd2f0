#pragma once

#include <cstdint>
#include <string_view>

#include "zones/registry.h"

namespace orvel {

// Sets InternetExplorerIntegrationLevel = 1 and the site list location where
// the machine's Edge policy has none, recording each value set.
int32_t SetAbsentPolicies(Registry& machine_writes, std::string_view own_url);

// Deletes the policy values recorded that still hold what the tool set, the
// record, and the tool's key when that is left empty.
int32_t TakeBackPolicies(Registry& machine_writes, std::string_view own_url);

}  // namespace orvel
