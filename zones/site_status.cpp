#include "zones/site_status.h"

#include <algorithm>
#include <string>

#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

std::vector<SettingState> ReadSettings(Registry& registry) {
  std::vector<SettingState> states;
  states.reserve(zone_keys::kZoneSettings.size());
  RegistryKey zone(registry);
  const bool opened = zone.Open(zone_keys::kZone2) == status::kSuccess;
  for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings) {
    states.push_back({setting.action, setting.policy,
                      opened ? zone.ReadDword(zone_keys::ActionValueName(setting.action)) : std::nullopt});
  }
  return states;
}

bool PopupsAllowed(Registry& registry, std::string_view host) {
  RegistryKey allow(registry);
  std::string data;
  return allow.Open(zone_keys::kAllow) == status::kSuccess &&
         allow.Query(host, static_cast<uint32_t>(zone_keys::kPopupAllowed.size()), data) == status::kSuccess &&
         data == zone_keys::kPopupAllowed;
}

}  // namespace

bool SiteStatus::InPlace() const {
  return trusted && popups_allowed && std::ranges::all_of(settings, &SettingState::holds);
}

SiteStatus ReadSiteStatus(Registry& registry, const Site& site) {
  return SiteStatus{
      .trusted = IsTrustedSite(registry, site),
      .settings = ReadSettings(registry),
      .popups_allowed = PopupsAllowed(registry, site.host),
  };
}

}  // namespace orvel
