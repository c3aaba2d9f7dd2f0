#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "iemode/site_list.h"
#include "zones/host_name.h"
#include "zones/scheme.h"

namespace orvel {


// The scheme an address begins with: "http://" or "https://" in any letter
// case. None for any other beginning.
std::optional<Scheme> TypedScheme(std::string_view address);

// What the parser reads from a trimmed address.
struct ParsedAddress {
  HostKind kind = HostKind::kInvalid;
  std::string host;                    // empty when the address is invalid
  std::optional<Scheme> typed_scheme;  // none when the address names no scheme
  uint16_t port = 0;                   // the port typed; 0 for none, or none a browser takes
  std::string path = "/";              // from the '/' after the host to '?' or '#', '\\' read as '/'

  // The scheme the site is trusted for: http when none was typed.
  Scheme scheme() const { return typed_scheme.value_or(Scheme::kHttp); }
};

// An address as a surface read it: trimmed, then parsed, once.
struct SiteAddress : ParsedAddress {
  std::string text;  // the trimmed address
};

SiteAddress ReadSiteAddress(std::string_view typed);

// The site Edge's IE mode list names for a parsed address.
SiteTarget IeModeSite(const ParsedAddress& address);

// Reduces a trimmed address to its scheme and host and tells what kind of
// host it is. Any scheme but http and https makes it invalid.
ParsedAddress ParseSiteAddress(std::string_view address);

}  // namespace orvel
