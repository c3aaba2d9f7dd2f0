#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zones/host_name.h"
#include "zones/registry.h"

namespace orvel {

// The zone-map key of a domain name: Domains\b.c\a for a.b.c, and
// Domains\b.c\ (the key itself) for b.c.
std::string DomainEntryPath(std::string_view host);

// The zone-map key of the Range entry called `name`.
std::string RangeEntryPath(std::string_view name);

// Whether the open Range entry's ":Range" value names the host; false when it
// cannot be read.
bool RangeEntryNamesHost(RegistryKey& entry, std::string_view host);

// True when the host already has a zone-map entry of its kind that puts the
// http scheme into the trusted-sites zone. Any failure reads as false.
bool IsTrustedSite(Registry& registry, std::string_view host, HostKind kind);

// Writes the host's zone-map entry; 0, or the status of the write that failed.
int32_t AddTrustedSite(Registry& registry, std::string_view host, HostKind kind);

}  // namespace orvel
