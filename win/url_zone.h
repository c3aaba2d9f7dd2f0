#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvel {

// The zone Internet Explorer's zone manager gives the URL for the user this
// process runs as; none when it cannot be asked.
std::optional<uint32_t> UrlZone(std::string_view url);

}  // namespace orvel
