#include "zones/trusted_site.h"

#include <algorithm>
#include <vector>

#include "zones/range_name.h"
#include "zones/subkeys.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

// New Range names tried before giving up: each miss means another process
// took that name between the listing and the create.
constexpr int kMaxRangeAttempts = 1000;

bool IsTrustedEntry(Registry& registry, std::string_view path, Scheme scheme) {
  RegistryKey key(registry);
  uint32_t zone = 0;
  return key.Open(path) == status::kSuccess && key.QueryDword(SchemeName(scheme), zone) == status::kSuccess &&
         zone == zone_keys::kTrustedZone;
}

bool IsTrustedRange(Registry& registry, std::string_view host, Scheme scheme) {
  return std::ranges::any_of(RangeEntriesOf(registry, host),
                             [&](const std::string& path) { return IsTrustedEntry(registry, path, scheme); });
}

int32_t AddDomain(Registry& registry, std::string_view host, Scheme scheme) {
  RegistryKey key(registry);
  const int32_t created = key.Create(DomainEntryPath(host));
  if (created != status::kSuccess) return created;
  return key.SetDword(SchemeName(scheme), zone_keys::kTrustedZone);
}

int32_t AddRange(Registry& registry, std::string_view host, Scheme scheme) {
  // The host's own entry takes the scheme beside the schemes it has.
  if (const std::vector<std::string> entries = RangeEntriesOf(registry, host); !entries.empty()) {
    RegistryKey key(registry);
    const int32_t opened = key.Create(entries.front());
    if (opened != status::kSuccess) return opened;
    return key.SetDword(SchemeName(scheme), zone_keys::kTrustedZone);
  }
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
    const int32_t zone_written = key.SetDword(SchemeName(scheme), zone_keys::kTrustedZone);
    if (zone_written != status::kSuccess) return zone_written;
    return key.SetString(zone_keys::kRangeText, host);
  }
  return status::kAlreadyExists;
}

}  // namespace

std::string RangeEntryPath(std::string_view name) { return std::string(zone_keys::kRanges).append(name); }

std::vector<std::string> RangeEntriesOf(Registry& registry, std::string_view host) {
  std::vector<std::string> names;
  EnumSubkeys(registry, zone_keys::kRanges, names);
  std::vector<std::string> entries;
  for (const std::string& name : names) {
    std::string path = RangeEntryPath(name);
    RegistryKey key(registry);
    std::string text;
    if (key.Open(path) == status::kSuccess &&
        key.QueryString(zone_keys::kRangeText, zone_keys::kNameCapacity, text) == status::kSuccess && text == host) {
      entries.push_back(std::move(path));
    }
  }
  return entries;
}

std::string DomainEntryPath(std::string_view host) {
  std::string first_label;
  const std::string rest = SplitHostName(host, first_label);
  return std::string(zone_keys::kDomains).append(rest).append("\\").append(first_label);
}

bool IsTrustedSite(Registry& registry, std::string_view host, HostKind kind, Scheme scheme) {
  return kind == HostKind::kDomain ? IsTrustedEntry(registry, DomainEntryPath(host), scheme)
                                   : IsTrustedRange(registry, host, scheme);
}

int32_t AddTrustedSite(Registry& registry, std::string_view host, HostKind kind, Scheme scheme) {
  return kind == HostKind::kDomain ? AddDomain(registry, host, scheme) : AddRange(registry, host, scheme);
}

}  // namespace orvel
