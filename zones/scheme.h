#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvel {

// The schemes an address may name. A zone-map entry holds one value for
// each, named after it.
enum class Scheme : int16_t { kHttp, kHttps };

inline constexpr std::array<Scheme, 2> kSchemes = {Scheme::kHttp, Scheme::kHttps};

// "http" or "https": the zone-map value's name.
constexpr std::string_view SchemeName(Scheme scheme) { return scheme == Scheme::kHttps ? "https" : "http"; }

// "http://" or "https://": how an address begins with the scheme.
constexpr std::string_view SchemePrefix(Scheme scheme) { return scheme == Scheme::kHttps ? "https://" : "http://"; }

}  // namespace orvel
