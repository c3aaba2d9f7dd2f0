#include "zones/trusted_site.h"

#include <vector>

#include "zones/range_name.h"
#include "zones/subkeys.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

// New Range names tried before giving up: each miss means another process
// took that name between the listing and the create.
constexpr int kMaxRangeAttempts = 1000;

bool IsTrustedDomain(Registry& registry, std::string_view host) {
  RegistryKey key(registry);
  if (key.Open(DomainEntryPath(host)) != status::kSuccess) return false;
  uint32_t zone = 0;
  return key.QueryDword(zone_keys::kHttp, zone) == status::kSuccess && zone == zone_keys::kTrustedZone;
}

bool IsTrustedRange(Registry& registry, std::string_view host) {
  std::vector<std::string> names;
  EnumSubkeys(registry, zone_keys::kRanges, names);
  for (const std::string& name : names) {
    RegistryKey key(registry);
    if (key.Open(RangeEntryPath(name)) != status::kSuccess) continue;
    if (!RangeEntryNamesHost(key, host)) continue;
    uint32_t zone = 0;
    if (key.QueryDword(zone_keys::kHttp, zone) == status::kSuccess && zone == zone_keys::kTrustedZone) return true;
  }
  return false;
}

int32_t AddDomain(Registry& registry, std::string_view host) {
  RegistryKey key(registry);
  const int32_t created = key.Create(DomainEntryPath(host));
  if (created != status::kSuccess) return created;
  return key.SetDword(zone_keys::kHttp, zone_keys::kTrustedZone);
}

int32_t AddRange(Registry& registry, std::string_view host) {
  std::vector<std::string> names;
  EnumSubkeys(registry, zone_keys::kRanges, names);
  RangeNamePicker picker(names);
  for (int attempt = 0; attempt < kMaxRangeAttempts; ++attempt) {
    RegistryKey key(registry);
    bool is_new = false;
    const int32_t created = key.Create(RangeEntryPath(picker.Next()), &is_new);
    if (created != status::kSuccess) return created;
    // Another address's entry: never written over.
    if (!is_new) continue;
    const int32_t zone_written = key.SetDword(zone_keys::kHttp, zone_keys::kTrustedZone);
    if (zone_written != status::kSuccess) return zone_written;
    return key.SetString(zone_keys::kRangeText, host);
  }
  return status::kAlreadyExists;
}

}  // namespace

std::string RangeEntryPath(std::string_view name) { return std::string(zone_keys::kRanges).append(name); }

bool RangeEntryNamesHost(RegistryKey& entry, std::string_view host) {
  std::string text;
  return entry.Query(zone_keys::kRangeText, zone_keys::kNameCapacity, text) == status::kSuccess &&
         TrimAtNul(text) == host;
}

std::string DomainEntryPath(std::string_view host) {
  std::string first_label;
  const std::string rest = SplitHostName(host, first_label);
  return std::string(zone_keys::kDomains).append(rest).append("\\").append(first_label);
}

bool IsTrustedSite(Registry& registry, std::string_view host, HostKind kind) {
  return kind == HostKind::kDomain ? IsTrustedDomain(registry, host) : IsTrustedRange(registry, host);
}

int32_t AddTrustedSite(Registry& registry, std::string_view host, HostKind kind) {
  return kind == HostKind::kDomain ? AddDomain(registry, host) : AddRange(registry, host);
}

}  // namespace orvel
