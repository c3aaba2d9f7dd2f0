#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"
#include "zones/site.h"

namespace orvel {

// A key or one value of a key that was taken away.
struct RemovedEntry {
  std::string key;
  std::string value;  // empty: the whole key
  bool operator==(const RemovedEntry&) const = default;
};

struct RemovedSite {
  std::vector<RemovedEntry> removed;
  // 0, or the status of the first removal that failed; the others are still
  // tried, since none depends on another.
  int32_t result = 0;
};

// Which schemes' values a removal takes.
enum class RemovedSchemes : uint8_t { kTheSites, kEvery };

// Takes the site's scheme's value, or every scheme's, from the
// host's zone-map entries: its domain key (then the key, and an empty parent
// key, when nothing else is left in them), or every Range entry whose text is
// the host (then the entry, when neither scheme's value is left in it). The
// host's pop-up allow value goes too unless the host is still trusted for a
// scheme. Another host's entries and the zone's own settings, which every
// trusted site shares, stay.
RemovedSite RemoveTrustedSite(Registry& registry, const Site& site, RemovedSchemes schemes);

}  // namespace orvel
