#pragma once

#include <string>

#include "check/address.h"
#include "check/check_outcome.h"
#include "check/saved_address.h"
#include "iemode/site_list_files.h"
#include "zones/hives.h"

namespace orvel {

// The registries a check works on.
struct CheckRegistries {
  // The user's is written (HKEY_CURRENT_USER, or the desktop user's hive);
  // the machine's only read, to tell whether the settings will take effect.
  Hives hives;
  // DOMAIN\name when `user` is the desktop user's hive rather than the
  // program's own; empty otherwise.
  std::string desktop_account = {};
  // Edge's IE mode: the site lists' files, and the machine's registry opened
  // to write its policies (none: the check only reads them). Without the
  // files IE mode is not looked at.
  SiteListFiles* site_lists = nullptr;
  Registry* machine_writes = nullptr;
};

// What one check works from: the address as the surface read and parsed it,
// the registries, and where a successful check keeps the address (none:
// nowhere).
struct CheckRequest {
  SiteAddress address;
  CheckRegistries registries;
  AddressStore* store = nullptr;
};

// One whole check: maps the host into the trusted-sites zone, relaxes the
// zone, allows the host's pop-ups and saves the address, then reads what will
// stop those settings from taking effect and, where Internet Explorer is
// retired, sets Edge's IE mode up for the site. Stops at the first step that
// fails; nothing is written for an invalid address.
CheckOutcome CheckSite(const CheckRequest& request);

}  // namespace orvel
