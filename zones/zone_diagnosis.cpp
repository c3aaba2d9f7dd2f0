#include "zones/zone_diagnosis.h"

#include "text/ascii.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

constexpr std::string_view kTrustedZoneText = "2";

bool IsHardened(Registry& registry) {
  return ReadDword(registry, zone_keys::kZoneMap, zone_keys::kEnhancedSecurity) == 1u;
}

// Whether the registry holds a site list (a policy key with at least one
// value) that puts nothing of the host into zone 2.
bool SiteListExcludes(Registry& registry, const Site& site) {
  RegistryKey key(registry);
  if (key.Open(zone_keys::kPolicySiteList) != status::kSuccess) return false;
  bool in_force = false;
  for (uint32_t index = 0;; ++index) {
    std::string entry;
    if (key.EnumValue(index, kValueNameCapacity, entry) != status::kSuccess) break;
    in_force = true;
    if (!SiteListEntryNamesHost(entry, site)) continue;
    if (key.ReadString(entry, zone_keys::kZoneMapBuffer) == kTrustedZoneText) return false;
  }
  return in_force;
}

// Whether the policy key holds a value for the action other than the one
// the check wrote.
bool Overrides(RegistryKey& policy_key, bool opened, const zone_keys::ZoneSetting& setting) {
  if (!opened) return false;
  const std::optional<uint32_t> policy = policy_key.ReadDword(zone_keys::ActionValueName(setting.action));
  return policy && *policy != setting.policy;
}

}  // namespace

bool ZoneDiagnosis::Any() const {
  return machine_settings_only || site_list_excludes_host || !locked_actions.empty() || enhanced_security;
}

bool SiteListEntryNamesHost(std::string_view entry, const Site& site) {
  for (const std::string_view prefix : {SchemePrefix(site.scheme), std::string_view("*://")}) {
    if (StartsWithFolded(entry, prefix)) {
      entry.remove_prefix(prefix.size());
      break;
    }
  }
  const std::string_view host = site.host;
  if (EqualsFolded(entry, host)) return true;
  if (site.kind != HostKind::kDomain || !entry.starts_with("*.")) return false;
  const std::string_view suffix = entry.substr(1);  // ".example.com"
  return host.size() > suffix.size() && StartsWithFolded(host.substr(host.size() - suffix.size()), suffix);
}

ZoneDiagnosis DiagnoseZoneSettings(const Hives& hives, const Site& site) {
  ZoneDiagnosis found;
  found.machine_settings_only =
      ReadDword(hives.machine, zone_keys::kPolicySettings, zone_keys::kMachineSettingsOnly) == 1u;
  found.site_list_excludes_host = SiteListExcludes(hives.machine, site) || SiteListExcludes(hives.user, site);
  RegistryKey machine_policy(hives.machine);
  RegistryKey user_policy(hives.user);
  const bool machine_opened = machine_policy.Open(zone_keys::kPolicyZone2) == status::kSuccess;
  const bool user_opened = user_policy.Open(zone_keys::kPolicyZone2) == status::kSuccess;
  for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings) {
    if (Overrides(machine_policy, machine_opened, setting) || Overrides(user_policy, user_opened, setting)) {
      found.locked_actions.push_back(setting.action);
    }
  }
  found.enhanced_security = IsHardened(hives.user) || IsHardened(hives.machine);
  return found;
}

}  // namespace orvel
