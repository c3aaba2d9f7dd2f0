#pragma once

#include <string_view>

// Every text the window and the check show the user, exactly as it is to
// appear.
namespace orvel::texts {

inline constexpr std::string_view kCheckingAddress = "正在检查网址......";
inline constexpr std::string_view kAddressInvalid = "您输入的网址不正确。";
inline constexpr std::string_view kAddressChecked = "网址检查完毕。";
inline constexpr std::string_view kCheckingTrustedSite = "正在检查信任站点......";
inline constexpr std::string_view kTrustedSiteFailed = "信任站点添加失败。";
inline constexpr std::string_view kTrustedSiteAdded = "已添加到信任站点。";
inline constexpr std::string_view kCheckingPermissions = "正在检查权限......";
inline constexpr std::string_view kPermissionsFailed = "设置权限失败。";
inline constexpr std::string_view kPermissionsChecked = "检查权限完毕。";
inline constexpr std::string_view kCheckDone = "检测完毕。";
inline constexpr std::string_view kSaveFailed = "网址保存失败。";
inline constexpr std::string_view kBrowserFailed = "浏览器启动失败。";

// After a check that wrote everything, when something stops it taking effect.
inline constexpr std::string_view kCheckDoneIneffective = "检测完毕，但部分设置不会生效，请联系系统管理员。";
inline constexpr std::string_view kMachineSettingsOnly = "组策略规定只使用计算机的安全设置，以上设置对本用户不起作用。";
inline constexpr std::string_view kSiteListExcludesHost =
    "组策略的站点到区域分配列表未将本站点列为受信任站点，以上设置不起作用。";
// Followed by the action names, joined by kListSeparator, and kFullStop.
inline constexpr std::string_view kLockedActions = "组策略锁定了受信任站点区域的以下设置：";
inline constexpr std::string_view kListSeparator = "、";
inline constexpr std::string_view kFullStop = "。";
inline constexpr std::string_view kEnhancedSecurity = "本机启用了 Internet Explorer 增强的安全配置，以上设置不起作用。";
// Where Internet Explorer is retired: Edge's IE mode for the site. The first
// two say what will happen; the others stop the settings from taking effect.
inline constexpr std::string_view kOpensInIeMode = "本机 IE 已停用，登录时将用 Edge 的 IE 模式打开。";
inline constexpr std::string_view kAddedToIeModeList = "已将本网站加入 Edge 的 IE 模式列表，请关闭 Edge 后再登录。";
// Edge fetches a changed list about a minute after it starts when it holds a copy.
inline constexpr std::string_view kListSeenAfterAMinute = "Edge 重新启动约一分钟后才会读到更新的列表。";
// Edge ignores its pop-up policy in a profile signed in with a Microsoft account.
inline constexpr std::string_view kAllowPopupsInEdge =
    "如果 Edge 仍拦截本网站的弹出窗口，请在 Edge 的“设置”→“Cookie "
    "和网站权限”→“弹出窗口和重定向”中，将本网站添加到“允许”。";
inline constexpr std::string_view kRestartEdgeQuestion =
    "Edge 需要重新启动，才能用 IE 模式打开本网站。现在重新启动 Edge 吗？Edge 会先关闭，再重新打开其中的网页。";
inline constexpr std::string_view kClosingEdge = "正在关闭 Edge......";
inline constexpr std::string_view kEdgeStillOpen =
    "Edge 的窗口还没有关闭，它可能正在询问是否关闭网页。请在 Edge 中回答后单击“重试”，或单击“取消”稍后再登录。";
inline constexpr std::string_view kEdgeEndedByForce =
    "Edge 未能自行退出，已将其结束；Edge 再次打开时可能会询问是否恢复网页。";
inline constexpr std::string_view kEdgeUnreachable = "无法关闭正在运行的 Edge，请关闭所有 Edge 窗口后再登录。";
inline constexpr std::string_view kEdgeDidNotExit = "Edge 未能退出，请关闭所有 Edge 窗口后再登录。";
inline constexpr std::string_view kWaitingForEdge = "正在等待 Edge 读取 IE 模式列表......";
inline constexpr std::string_view kLoginAgainAfterAMinute =
    "Edge 约一分钟后才会读到更新的列表，请一分钟后再单击一次“登录”。";
inline constexpr std::string_view kRestartEdgeLater = "请重新启动 Edge 后再登录。";
inline constexpr std::string_view kNoEdge = "本机 IE 已停用，且未找到 Microsoft Edge。";
inline constexpr std::string_view kIeFeatureOff =
    "本机关闭了 Windows 功能“Internet Explorer 11”，Edge 的 IE 模式无法打开本网站。请管理员在“程序和功能”→“启用或关闭 "
    "Windows 功能”中勾选它，或运行 DISM /Online /Enable-Feature /FeatureName:Internet-Explorer-Optional-amd64。";
inline constexpr std::string_view kIeModeTurnedOff = "组策略关闭了 Edge 的 IE 模式。";
inline constexpr std::string_view kNotInAdminList = "管理员的 IE 模式站点列表中没有本网站。";
inline constexpr std::string_view kIeModeListUnreadable = "无法读取 IE 模式站点列表，不能确认本网站。";
inline constexpr std::string_view kCannotEnableIeMode = "无法为本网站启用 Edge 的 IE 模式。";
inline constexpr std::string_view kIeModeLevelNotSet = "组策略没有开启 Edge 的 IE 模式，管理员的站点列表不会生效。";
inline constexpr std::string_view kOldFormatList = "管理员的 IE 模式站点列表是旧格式，Edge 不会按它打开 IE 模式。";
inline constexpr std::string_view kWildcardNotListed = "IE 模式站点列表不能使用带 * 的网址，请输入本网站的完整网址。";
// Around DOMAIN\name, when the settings went to the desktop user's hive.
inline constexpr std::string_view kDesktopUserBefore = "以上设置已写入桌面用户 ";
inline constexpr std::string_view kDesktopUserAfter = " 的配置。";

// The window's own: its caption as designed (the version follows), its
// controls' captions, and its font's face.
inline constexpr std::string_view kDesignCaption = "ORVEL系统助手";
inline constexpr std::string_view kCheckButton = "检测(&T)";
inline constexpr std::string_view kLoginButton = "登录(&L)";
inline constexpr std::string_view kAddressLabel = "请键入ORVEL系统（即Merinthal）网址(&W)：";
inline constexpr std::string_view kNotice = "ORVEL 技术支持 制作";
inline constexpr std::string_view kProgressLabel = "检查列表：";
inline constexpr std::string_view kSongFace = "宋体";

}  // namespace orvel::texts
