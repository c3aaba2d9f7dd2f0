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

// One of the trusted-sites zone's settings: a URL action, the policy the
// check gives it, and the setting's name as Windows shows it in Chinese.
struct ZoneSetting {
  uint32_t action;
  uint32_t policy;
  std::string_view name;
};

inline constexpr uint32_t kUrlPolicyAllow = 0;
inline constexpr uint32_t kUrlPolicyDisallow = 3;

// In the order they are written.
inline constexpr std::array<ZoneSetting, 8> kZoneSettings = {{
    {1001, kUrlPolicyAllow, "下载已签名的 ActiveX 控件"},
    {1004, kUrlPolicyAllow, "下载未签名的 ActiveX 控件"},
    {1200, kUrlPolicyAllow, "运行 ActiveX 控件和插件"},
    {1201, kUrlPolicyAllow, "对未标记为可安全执行脚本的 ActiveX 控件初始化并执行脚本"},
    {1405, kUrlPolicyAllow, "对标记为可安全执行脚本的 ActiveX 控件执行脚本"},
    {2201, kUrlPolicyAllow, "ActiveX 控件自动提示"},
    {2200, kUrlPolicyAllow, "文件下载自动提示"},
    {1809, kUrlPolicyDisallow, "使用弹出窗口阻止程序"},
}};

// A URL action's value is named by its number in decimal.
inline std::string ActionValueName(uint32_t action) { return std::to_string(action); }

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
