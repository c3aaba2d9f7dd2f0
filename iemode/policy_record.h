#pragma once

#include <cstdint>
#include <string_view>

#include "zones/registry.h"

namespace orvel {

// Sets the site list location, InternetExplorerIntegrationLevel = 1 and the
// wait for the first download of the list where the machine's Edge policy has
// none, recording each before writing it.
int32_t SetAbsentPolicies(Registry& machine_writes, std::string_view own_url);

// Deletes the policy values recorded that still hold what the tool set (the
// level only while the list in force is the tool's), the record, and the
// tool's key when that is left empty.
int32_t TakeBackPolicies(Registry& machine_writes, std::string_view own_url);

}  // namespace orvel
