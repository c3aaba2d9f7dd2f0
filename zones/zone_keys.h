#pragma once

#include <array>
#include <cstdint>
#include <string>
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

// A zone-map entry's values are named after their schemes (SchemeName) and
// hold the zone number; a Range entry's host is in its ":Range" text.
inline constexpr std::string_view kRangeText = ":Range";
inline constexpr std::string_view kRangePrefix = "Range";
inline constexpr unsigned kTrustedZone = 2;

// One of the trusted-sites zone's settings: a URL action and the policy the
// check gives it.
struct ZoneSetting {
  uint32_t action;
  uint32_t policy;
};

inline constexpr uint32_t kUrlPolicyAllow = 0;
inline constexpr uint32_t kUrlPolicyDisallow = 3;

// In the order they are written.
inline constexpr std::array<ZoneSetting, 8> kZoneSettings = {{
    {1001, kUrlPolicyAllow},
    {1004, kUrlPolicyAllow},
    {1200, kUrlPolicyAllow},
    {1201, kUrlPolicyAllow},
    {1405, kUrlPolicyAllow},
    {2201, kUrlPolicyAllow},
    {2200, kUrlPolicyAllow},
    {1809, kUrlPolicyDisallow},
}};

// A URL action's value is named by its number in decimal.
inline std::string ActionValueName(uint32_t action) { return std::to_string(action); }

// The tool's own record of what the zone's settings were before it first
// changed them, in the same hive: a copy of each of them that was there (its
// type and data), then kZoneRecordComplete = 1, written last; and a value per
// host the tool set up while the record stands.
inline constexpr std::string_view kZoneRecordParent = "Software\\ORVEL";
inline constexpr std::string_view kZoneRecord = "Software\\ORVEL\\TrustedZone";
inline constexpr std::string_view kZoneRecordSites = "Software\\ORVEL\\TrustedZone\\Sites";
inline constexpr std::string_view kZoneRecordComplete = "Recorded";

// The data of a host's pop-up allow value.
inline constexpr std::string_view kPopupAllowed("\0\0", 2);

// Read, never written: where Group Policy and the enhanced security
// configuration override the settings above. The same paths serve below
// HKEY_LOCAL_MACHINE and below the user's root.
inline constexpr std::string_view kZoneMap = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap";
inline constexpr std::string_view kPolicySettings =
    "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kPolicySiteList =
    "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMapKey";
inline constexpr std::string_view kPolicyZone2 =
    "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\2";
inline constexpr std::string_view kMachineSettingsOnly = "Security_HKLM_only";
inline constexpr std::string_view kEnhancedSecurity = "IEHarden";

// The zone map's names and texts are read through 255-byte buffers, as it
// has always been read.
inline constexpr uint32_t kZoneMapBuffer = 255;

}  // namespace orvel::zone_keys
