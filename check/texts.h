#pragma once

#include <string_view>

// Every text the check shows the user, exactly as it is to appear.
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

}  // namespace orvel::texts
