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
  return ReadDword(registry, path, SchemeName(scheme)) == zone_keys::kTrustedZone;
}

// The Range entries as one listing finds them: every name, and the paths of
// those whose ":Range" names the host.
struct RangeListing {
  std::vector<std::string> names;
  std::vector<std::string> host_entries;
};

RangeListing ListRanges(Registry& registry, std::string_view host) {
  RangeListing listing;
  EnumSubkeys(registry, zone_keys::kRanges, listing.names);
  for (const std::string& name : listing.names) {
    std::string path = RangeEntryPath(name);
    RegistryKey key(registry);
    if (key.Open(path) == status::kSuccess &&
        key.ReadString(zone_keys::kRangeText, zone_keys::kZoneMapBuffer) == host) {
      listing.host_entries.push_back(std::move(path));
    }
  }
  return listing;
}

bool AnyTrusted(Registry& registry, const std::vector<std::string>& entries, Scheme scheme) {
  return std::ranges::any_of(entries, [&](const std::string& path) { return IsTrustedEntry(registry, path, scheme); });
}

int32_t AddDomain(Registry& registry, std::string_view host, Scheme scheme) {
  RegistryKey key(registry);
  const int32_t created = key.Create(DomainEntryPath(host));
  if (created != status::kSuccess) return created;
  return key.SetDword(SchemeName(scheme), zone_keys::kTrustedZone);
}

int32_t AddRange(Registry& registry, std::string_view host, Scheme scheme, const RangeListing& listing) {
  // The host's own entry takes the scheme beside the schemes it has.
  if (!listing.host_entries.empty()) {
    RegistryKey key(registry);
    const int32_t opened = key.Create(listing.host_entries.front());
    if (opened != status::kSuccess) return opened;
    return key.SetDword(SchemeName(scheme), zone_keys::kTrustedZone);
  }
  RangeNamePicker picker(listing.names);
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
  return ListRanges(registry, host).host_entries;
}

std::string DomainEntryPath(std::string_view host) {
  const HostNameParts parts = SplitHostName(host);
  return std::string(zone_keys::kDomains).append(parts.rest).append("\\").append(parts.first_label);
}

bool IsTrustedSite(Registry& registry, const Site& site) {
  return site.kind == HostKind::kDomain ? IsTrustedEntry(registry, DomainEntryPath(site.host), site.scheme)
                                        : AnyTrusted(registry, RangeEntriesOf(registry, site.host), site.scheme);
}

bool IsTrustedForAnyScheme(Registry& registry, Site site) {
  return std::ranges::any_of(kSchemes, [&](Scheme scheme) {
    site.scheme = scheme;
    return IsTrustedSite(registry, site);
  });
}

int32_t AddTrustedSite(Registry& registry, const Site& site) {
  return site.kind == HostKind::kDomain ? AddDomain(registry, site.host, site.scheme)
                                        : AddRange(registry, site.host, site.scheme, ListRanges(registry, site.host));
}

int32_t TrustSite(Registry& registry, const Site& site) {
  if (site.kind == HostKind::kDomain) {
    return IsTrustedEntry(registry, DomainEntryPath(site.host), site.scheme)
               ? status::kSuccess
               : AddDomain(registry, site.host, site.scheme);
  }
  const RangeListing listing = ListRanges(registry, site.host);
  return AnyTrusted(registry, listing.host_entries, site.scheme) ? status::kSuccess
                                                                 : AddRange(registry, site.host, site.scheme, listing);
}

}  // namespace orvel
