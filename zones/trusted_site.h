#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"
#include "zones/site.h"

namespace orvel {

// The zone-map key of a domain name: Domains\b.c\a for a.b.c, and
// Domains\b.c\ (the key itself) for b.c.
std::string DomainEntryPath(std::string_view host);

// The zone-map key of the Range entry called `name`.
std::string RangeEntryPath(std::string_view name);

// The paths of the Range entries whose ":Range" value names the host, in
// listing order; an entry that cannot be read is not among them.
std::vector<std::string> RangeEntriesOf(Registry& registry, std::string_view host);

// True when the host already has a zone-map entry of its kind that puts the
// scheme into the trusted-sites zone. Any failure reads as false.
bool IsTrustedSite(Registry& registry, const Site& site);

// IsTrustedSite for either scheme, whichever the site names.
bool IsTrustedForAnyScheme(Registry& registry, Site site);

// Puts the scheme's value on the host's zone-map entry: its domain key, or
// the first Range entry naming it, or else a new Range entry. 0, or the
// status of the write that failed.
int32_t AddTrustedSite(Registry& registry, const Site& site);

// IsTrustedSite, then AddTrustedSite when it is not, reading the Range
// entries once for both: the check's step.
int32_t TrustSite(Registry& registry, const Site& site);

}  // namespace orvel
