#pragma once

#include "check/check_view.h"
#include "check/saved_address.h"
#include "zones/registry.h"

namespace orvel {

// One whole check of the address in the view: trims and parses it, maps its
// host into the trusted-sites zone, relaxes the zone, allows the host's
// pop-ups and saves the address. Reports each step in the view's list and
// ends with one message box. True only when every step, the save included,
// succeeded.
bool CheckSite(CheckView& view, Registry& registry, AddressStore& store);

}  // namespace orvel
