#pragma once

#include <string_view>

// Where Windows and Microsoft Edge keep what decides whether a site opens in
// Edge's IE mode, and where the tool records what it set. The same policy
// paths serve below HKEY_LOCAL_MACHINE and below the user's root.
namespace orvel::ie_mode_keys {

inline constexpr std::string_view kCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr std::string_view kBuildNumber = "CurrentBuildNumber";
// Where the "Internet Explorer 11" Windows feature keeps the files IE mode
// runs: <SystemRoot>\System32\ieframe.dll and iexplore.exe in the
// program-files folder. Windows 10 lets the feature be turned off.
inline constexpr std::string_view kSystemRoot = "SystemRoot";
inline constexpr std::string_view kWindowsCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kProgramFilesDir = "ProgramFilesDir";
inline constexpr std::string_view kEditionId = "EditionID";
inline constexpr std::string_view kInstallationType = "InstallationType";

inline constexpr std::string_view kIePolicy = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Main";
inline constexpr std::string_view kDisableIeApp = "DisableInternetExplorerApp";
inline constexpr std::string_view kEnterpriseMode =
    "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Main\\EnterpriseMode";
inline constexpr std::string_view kEnterpriseSiteList = "SiteList";

inline constexpr std::string_view kEdgePolicy = "SOFTWARE\\Policies\\Microsoft\\Edge";
inline constexpr std::string_view kLevel = "InternetExplorerIntegrationLevel";
inline constexpr std::string_view kSiteList = "InternetExplorerIntegrationSiteList";
inline constexpr std::string_view kCloudSiteList = "InternetExplorerIntegrationCloudSiteList";
inline constexpr unsigned kLevelIeMode = 1;
// The old standalone IE window: Edge opens IE mode for it since June 2022.
inline constexpr unsigned kLevelStandaloneIe = 2;

// With 1, a tab waits for Edge's first download of a site list instead of
// opening the site in Edge mode; it costs nothing once a list is cached.
inline constexpr std::string_view kDelayInitialDownload = "DelayNavigationsForInitialSiteListDownload";

// A list policy: values "1", "2", ... each a URL pattern ("host", "host:port"
// covers http and https) whose pop-ups Edge allows; read while Edge runs.
inline constexpr std::string_view kPopupsAllowed = "SOFTWARE\\Policies\\Microsoft\\Edge\\PopupsAllowedForUrls";

inline constexpr std::string_view kEdgeAppPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msedge.exe";

// Machine only: what the tool itself set, so that removal takes back nothing else.
inline constexpr std::string_view kRecordParent = "SOFTWARE\\ORVEL";
inline constexpr std::string_view kRecord = "SOFTWARE\\ORVEL\\IeMode";
inline constexpr std::string_view kLevelSet = "LevelSet";
inline constexpr std::string_view kSiteListSet = "SiteListSet";
inline constexpr std::string_view kDelaySet = "DelaySet";
// When a set-up last changed something (REG_QWORD, FILETIME ticks): Edge
// reads the policies and the list only when it starts.
inline constexpr std::string_view kChangedAt = "ChangedAt";
// Under kRecordParent, kept when the rest is taken back: the highest version
// of its list the tool wrote. Edge takes a list only of a higher version than
// the copy it holds, so a list made again starts above it.
inline constexpr std::string_view kListVersion = "ListVersion";
// The pop-up values the tool added, each under its name with its pattern.
inline constexpr std::string_view kPopupsRecord = "SOFTWARE\\ORVEL\\IeMode\\PopupsAllowedForUrls";

}  // namespace orvel::ie_mode_keys
