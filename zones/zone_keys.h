#pragma once

#include <string_view>

// The keys and values of the current user's Internet Explorer zone settings
// that the zone operations read and write.
namespace orvel::zone_keys {

inline constexpr std::string_view kDomains =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Domains\\";
inline constexpr std::string_view kRanges =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\Ranges\\";
inline constexpr std::string_view kZone2 =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\2\\";
inline constexpr std::string_view kAllow = "Software\\Microsoft\\Internet Explorer\\New Windows\\Allow";

// A zone-map entry's value: the scheme, holding the zone number.
inline constexpr std::string_view kHttp = "http";
inline constexpr std::string_view kRangeText = ":Range";
inline constexpr std::string_view kRangePrefix = "Range";
inline constexpr unsigned kTrustedZone = 2;

// Names and registry buffers are 255 bytes, as the zone map has always been read.
inline constexpr unsigned kNameCapacity = 255;

}  // namespace orvel::zone_keys
