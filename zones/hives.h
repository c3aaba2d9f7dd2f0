#pragma once

#include "zones/registry.h"

namespace orvel {

// The two registries a check reads, always in this order: the user's (HKEY_CURRENT_USER or
// the desktop user's hive) and the machine's.
struct Hives {
  Registry& user;
  Registry& machine;
};

}  // namespace orvel
