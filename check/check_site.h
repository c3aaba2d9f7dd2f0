#pragma once

#include <string>

#include "check/check_outcome.h"
#include "check/check_view.h"
#include "check/saved_address.h"
#include "iemode/site_list_files.h"
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
  // Edge's IE mode: the site lists' files, and the machine's registry opened
  // to write its policies (none: the check only reads them). Without the
  // files IE mode is not looked at.
  SiteListFiles* site_lists = nullptr;
  Registry* machine_writes = nullptr;
};

// One whole check of the address in the view: trims and parses it, maps its
// host into the trusted-sites zone, relaxes the zone, allows the host's
// pop-ups and saves the address in `store` (none: kept nowhere), then reads
// what will stop those settings from taking effect and, where Internet
// Explorer is retired, sets Edge's IE mode up for the site. Stops at the
// first step that fails. The view then shows the outcome: its lines and one
// box.
CheckOutcome CheckSite(CheckView& view, const CheckRegistries& registries, AddressStore* store);

}  // namespace orvel
