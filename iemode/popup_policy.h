#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "zones/registry.h"

namespace orvel {

// Adds `pattern` to Edge's PopupsAllowedForUrls under the lowest free number,
// recording it first, unless a value already holds it or the list holds
// values the tool did not add: an organisation's list is left as it is.
int32_t AllowPopups(Registry& machine_writes, std::string_view pattern);

// Takes back the values the tool added for `host` (every one without a host)
// that still hold what it wrote, their record, and the keys left empty.
int32_t TakeBackPopups(Registry& machine_writes, std::optional<std::string_view> host);

// Whether Edge allows the pattern's pop-ups by the machine's list: none when
// an organisation's list does not name it, as its own patterns may cover it.
std::optional<bool> PopupsAllowed(Registry& machine, std::string_view pattern);

}  // namespace orvel
