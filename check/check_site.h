#pragma once

#include <string>

#include "check/check_view.h"
#include "check/saved_address.h"
#include "zones/registry.h"

namespace orvel {

// The registries a check works on.
struct CheckRegistries {
  // Written: HKEY_CURRENT_USER, or the desktop user's hive.
  Registry& user;
  // Only read, to tell whether the settings will take effect.
  Registry& machine;
  // DOMAIN\name when `user` is the desktop user's hive rather than the
  // program's own; empty otherwise.
  std::string desktop_account;
};

// One whole check of the address in the view: trims and parses it, maps its
// host into the trusted-sites zone, relaxes the zone, allows the host's
// pop-ups and saves the address. Reports each step in the view's list, then
// whatever will stop those settings from taking effect, and ends with one
// message box. True only when every step, the save included, succeeded,
// whether or not the settings will take effect.
bool CheckSite(CheckView& view, const CheckRegistries& registries, AddressStore& store);

}  // namespace orvel
