#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zones/scheme.h"
#include "zones/site.h"

namespace orvel {

// The scheme an address begins with: "http://" or "https://" in any letter
// case. None for any other beginning.
std::optional<Scheme> TypedScheme(std::string_view address);

// An address as a surface read it: the trimmed text, the site it names (its
// scheme http when none was typed; '\\' in the path read as '/'), and whether
// a scheme was typed.
struct SiteAddress {
  std::string text;
  Site site;
  bool scheme_typed = false;

  // None when the address names no scheme.
  std::optional<Scheme> typed_scheme() const { return scheme_typed ? std::optional(site.scheme) : std::nullopt; }
};

// Trims the typed text, then parses it, once.
SiteAddress ReadSiteAddress(std::string_view typed);

// Reduces a trimmed address to its scheme and host and tells what kind of
// host it is. Any scheme but http and https makes it invalid.
SiteAddress ParseSiteAddress(std::string_view address);

}  // namespace orvel
