#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "zones/registry.h"
#include "zones/site.h"

namespace orvel {

// One of the zone's settings as it reads now.
struct SettingState {
  uint32_t action;
  uint32_t expected;
  std::optional<uint32_t> actual;  // none when the value cannot be read

  bool holds() const { return actual == expected; }
};

// What a check of the host would find in place; read only.
struct SiteStatus {
  bool trusted = false;  // an entry of the host's kind maps it to the trusted zone for the scheme
  std::vector<SettingState> settings;
  bool popups_allowed = false;

  bool InPlace() const;
};

SiteStatus ReadSiteStatus(Registry& registry, const Site& site);

}  // namespace orvel
