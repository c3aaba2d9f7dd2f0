#pragma once

#include "cli/address_report.h"
#include "cli/verb_result.h"
#include "zones/registry.h"

namespace orvel::cli {

// Takes the host's entries away; the zone's shared settings stay.
VerbResult RunRemove(Registry& registry, const SiteAddress& address);

}  // namespace orvel::cli
