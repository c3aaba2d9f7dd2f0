#include "zones/zone_permissions.h"

#include <array>
#include <string>

#include "zones/zone_keys.h"

namespace orvel {
namespace {

struct ZoneSetting {
  std::string_view action;
  uint32_t policy;
};

constexpr uint32_t kAllow = 0;
constexpr uint32_t kDisallow = 3;

// In the order they are written.
constexpr std::array<ZoneSetting, 8> kSettings = {{
    {"1001", kAllow},     // download signed ActiveX controls
    {"1004", kAllow},     // download unsigned ActiveX controls
    {"1200", kAllow},     // run ActiveX controls and plug-ins
    {"1201", kAllow},     // initialise and script controls not marked safe
    {"1405", kAllow},     // script controls marked safe
    {"2201", kAllow},     // automatic prompting for ActiveX controls
    {"2200", kAllow},     // automatic prompting for file downloads
    {"1809", kDisallow},  // the pop-up blocker
}};

int32_t WriteZoneSettings(Registry& registry) {
  RegistryKey zone(registry);
  // The zone's key belongs to the browser: opened, never created.
  if (const int32_t opened = zone.Open(zone_keys::kZone2); opened != status::kSuccess) return opened;
  for (const ZoneSetting& setting : kSettings) {
    if (const int32_t written = zone.SetDword(setting.action, setting.policy); written != status::kSuccess) {
      return written;
    }
  }
  return status::kSuccess;
}

int32_t AllowPopups(Registry& registry, std::string_view host) {
  RegistryKey allow(registry);
  if (const int32_t opened = allow.Create(zone_keys::kAllow); opened != status::kSuccess) return opened;
  return allow.SetBinary(host, std::string(2, '\0'));
}

}  // namespace

int32_t SetZonePermissions(Registry& registry, std::string_view host) {
  try {
    if (const int32_t zone = WriteZoneSettings(registry); zone != status::kSuccess) return zone;
    return AllowPopups(registry, host);
  } catch (...) {
    return -1;
  }
}

}  // namespace orvel
