#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "zones/hives.h"
#include "zones/site.h"

namespace orvel {

// What stops the zone settings the check wrote from taking effect.
struct ZoneDiagnosis {
  // The machine policy makes the browser use the machine's zone settings only.
  bool machine_settings_only = false;
  // A policy site-to-zone list is in force and does not put the host in the
  // trusted-sites zone.
  bool site_list_excludes_host = false;
  // The zone-2 URL actions whose policy value differs from the one the check
  // wrote, in the order the check writes them.
  std::vector<uint32_t> locked_actions = {};
  // The enhanced security configuration is on.
  bool enhanced_security = false;

  bool Any() const;
  bool operator==(const ZoneDiagnosis&) const = default;
};

// Reads, never writes, the user's hive and the machine's. A key or value
// that cannot be read counts as absent.
ZoneDiagnosis DiagnoseZoneSettings(const Hives& hives, const Site& site);

// Whether a site-to-zone list entry (a value name) names the host for the
// scheme: after no prefix, the scheme's ("http://" or "https://") or "*://",
// the host itself, or
// for a domain name "*." and a suffix the host ends with after a dot. Case is
// not significant.
bool SiteListEntryNamesHost(std::string_view entry, const Site& site);

}  // namespace orvel
