#include "zones/zone_permissions.h"

#include "zones/zone_keys.h"
#include "zones/zone_record.h"

namespace orvel {
namespace {

int32_t WriteZoneSettings(Registry& registry, std::string_view host) {
  RegistryKey zone(registry);
  // The zone's key belongs to the browser: opened, never created.
  if (const int32_t opened = zone.Open(zone_keys::kZone2); opened != status::kSuccess) return opened;
  if (const int32_t recorded = RecordZoneSettings(registry, zone, host); recorded != status::kSuccess) return recorded;
  for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings) {
    if (const int32_t written = zone.SetDword(zone_keys::ActionValueName(setting.action), setting.policy);
        written != status::kSuccess) {
      return written;
    }
  }
  return status::kSuccess;
}

int32_t AllowPopups(Registry& registry, std::string_view host) {
  RegistryKey allow(registry);
  if (const int32_t opened = allow.Create(zone_keys::kAllow); opened != status::kSuccess) return opened;
  return allow.SetBinary(host, zone_keys::kPopupAllowed);
}

}  // namespace

int32_t SetZonePermissions(Registry& registry, std::string_view host) {
  if (const int32_t zone = WriteZoneSettings(registry, host); zone != status::kSuccess) return zone;
  return AllowPopups(registry, host);
}

}  // namespace orvel
