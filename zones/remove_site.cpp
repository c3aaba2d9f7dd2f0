#include "zones/remove_site.h"

#include <algorithm>

#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

// Paths as reported: a domain entry's path may end in a backslash.
std::string KeyName(std::string_view path) { return std::string(WithoutTrailingBackslash(path)); }

class Removal {
 public:
  explicit Removal(Registry& registry) : registry_(registry) {}

  // Deletes one value; a value that is not there is nothing to do.
  void DeleteValue(std::string_view path, std::string_view name) {
    RegistryKey key(registry_);
    const int32_t opened = key.Open(path);
    if (IsMissing(opened)) return;
    if (opened != status::kSuccess) return Fail(opened);
    const int32_t deleted = key.DeleteValue(name);
    if (deleted == status::kSuccess) {
      site_.removed.push_back({KeyName(path), std::string(name)});
    } else if (!IsMissing(deleted)) {
      Fail(deleted);
    }
  }

  // Delete the key when it exists (and, for the first, holds nothing); true
  // when it is gone.
  bool DeleteKeyIfEmpty(std::string_view path) { return Delete(path, true); }
  bool DeleteKey(std::string_view path) { return Delete(path, false); }

  RemovedSite Result() && { return std::move(site_); }

 private:
  bool Delete(std::string_view path, bool only_when_empty) {
    {
      RegistryKey key(registry_);
      const int32_t opened = key.Open(path);
      if (IsMissing(opened)) return false;
      if (opened != status::kSuccess) {
        Fail(opened);
        return false;
      }
      if (only_when_empty && !key.IsEmpty()) return false;
    }
    const int32_t deleted = registry_.DeleteKey(path);
    if (deleted != status::kSuccess) {
      if (!IsMissing(deleted)) Fail(deleted);
      return false;
    }
    site_.removed.push_back({KeyName(path), {}});
    return true;
  }

  void Fail(int32_t result) {
    if (site_.result == status::kSuccess) site_.result = result;
  }

  Registry& registry_;
  RemovedSite site_;
};

bool HasSchemeValue(Registry& registry, std::string_view path) {
  RegistryKey key(registry);
  if (key.Open(path) != status::kSuccess) return false;
  return std::ranges::any_of(kSchemes, [&](Scheme scheme) { return key.ReadDword(SchemeName(scheme)).has_value(); });
}

void RemoveDomain(Removal& removal, const Site& site, RemovedSchemes schemes) {
  const std::string_view host = site.host;
  const std::string path = DomainEntryPath(host);
  for (const Scheme each : kSchemes) {
    if (schemes == RemovedSchemes::kEvery || each == site.scheme) removal.DeleteValue(path, SchemeName(each));
  }
  // The check creates the rest's key too, for a host of three labels or more.
  const HostNameParts parts = SplitHostName(host);
  if (removal.DeleteKeyIfEmpty(path) && !parts.first_label.empty()) {
    removal.DeleteKeyIfEmpty(std::string(zone_keys::kDomains).append(parts.rest));
  }
}

void RemoveRanges(Registry& registry, Removal& removal, const Site& site, RemovedSchemes schemes) {
  for (const std::string& path : RangeEntriesOf(registry, site.host)) {
    if (schemes == RemovedSchemes::kTheSites) {
      removal.DeleteValue(path, SchemeName(site.scheme));
      if (HasSchemeValue(registry, path)) continue;
    }
    removal.DeleteKey(path);
  }
}

}  // namespace

RemovedSite RemoveTrustedSite(Registry& registry, const Site& site, RemovedSchemes schemes) {
  Removal removal(registry);
  if (site.kind == HostKind::kDomain) {
    RemoveDomain(removal, site, schemes);
  } else {
    RemoveRanges(registry, removal, site, schemes);
  }
  if (!IsTrustedForAnyScheme(registry, site)) removal.DeleteValue(zone_keys::kAllow, site.host);
  return std::move(removal).Result();
}

}  // namespace orvel
