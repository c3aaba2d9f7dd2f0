#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "check/folder_trust.h"
#include "zones/zone_keys.h"

// The console program's own texts; the check's lines come from its presenter.
namespace orvel::cli::texts {

// A text and what it names, as one sentence: "已删除键 X。".
inline std::string Sentence(std::string_view text, std::string_view named) {
  return std::string(text).append(named).append("。");
}

// Before each user's lines.
inline std::string UserHeading(std::string_view sid) { return std::string("用户 ").append(sid).append("："); }

inline constexpr std::string_view kTrusted = "信任站点：已添加。";
inline constexpr std::string_view kNotTrusted = "信任站点：未添加。";
// "安全设置 1201（对未标记为……执行脚本）：0（应为 0）。", the action's name
// only for one the zone's settings name, "未设置" for a value not read.
// The zone's settings as Windows names them in Chinese, by URL action.
inline constexpr std::array<std::pair<uint32_t, std::string_view>, 8> kSettingNames = {{
    {1001, "下载已签名的 ActiveX 控件"},
    {1004, "下载未签名的 ActiveX 控件"},
    {1200, "运行 ActiveX 控件和插件"},
    {1201, "对未标记为可安全执行脚本的 ActiveX 控件初始化并执行脚本"},
    {1405, "对标记为可安全执行脚本的 ActiveX 控件执行脚本"},
    {2201, "ActiveX 控件自动提示"},
    {2200, "文件下载自动提示"},
    {1809, "使用弹出窗口阻止程序"},
}};
inline std::string SettingLine(uint32_t action, std::optional<uint32_t> actual, uint32_t expected) {
  std::string line = std::string("安全设置 ").append(zone_keys::ActionValueName(action));
  for (const auto& [named, name] : kSettingNames) {
    if (named == action) line.append("（").append(name).append("）");
  }
  return line + "：" + (actual ? std::to_string(*actual) : "未设置") + "（应为 " + std::to_string(expected) + "）。";
}
inline constexpr std::string_view kPopupsAllowed = "弹出窗口：已允许。";
inline constexpr std::string_view kPopupsNotAllowed = "弹出窗口：未允许。";
inline constexpr std::string_view kZoneManager = "浏览器的区域管理器给出的区域：";
inline constexpr std::string_view kZoneManagerUnknown = "浏览器的区域管理器给出的区域：无法查询。";
inline constexpr std::string_view kZoneManagerOtherUser = "浏览器的区域管理器给出的区域：只能查询当前用户。";
inline constexpr std::string_view kInPlace = "设置齐全。";
inline constexpr std::string_view kNotInPlace = "设置不全。";
inline constexpr std::string_view kInPlaceButStopped = "设置已就位，但有设置不会生效。";

inline std::string RemovedValue(std::string_view value, std::string_view key) {
  return std::string("已删除值 ").append(value).append("（").append(key).append("）。");
}
inline constexpr std::string_view kRemovedKey = "已删除键 ";
inline constexpr std::string_view kNothingToRemove = "没有找到此网址的条目。";
// What remove did with the zone's eight settings.
inline std::string ZoneSettingsRestored(int values_left) {
  std::string line = "信任站点区域的八项安全设置已恢复为本工具修改前的值";
  if (values_left > 0) line.append("；其中 ").append(std::to_string(values_left)).append(" 项此后被他人改动，保持不变");
  return line.append("。");
}
inline constexpr std::string_view kZoneSettingsKept =
    "信任站点区域的八项安全设置未恢复：本工具设置的网站仍在使用这些设置。";
inline constexpr std::string_view kZoneSettingsNoRecord =
    "信任站点区域的八项安全设置未改动：没有本工具修改前的记录（可能是旧版本设置的），恢复方法见使用指南中的“八项设置的原值”。";
inline constexpr std::string_view kZoneRestoreFailed =
    "信任站点区域的八项安全设置恢复失败，下次删除时再恢复，错误代码 ";
inline constexpr std::string_view kZoneRecordKept = "信任站点区域的原设置已记录（删除本工具的最后一个网站时会恢复）。";
inline constexpr std::string_view kRemoveFailed = "删除失败，错误代码 ";

inline constexpr std::string_view kAddressSaved = "网址已保存：";
inline constexpr std::string_view kRegFileWritten = "已写入 ";

inline constexpr std::string_view kError = "orvel-zone: ";
inline constexpr std::string_view kBadArguments = "参数错误：";
inline constexpr std::string_view kSeeHelp = "（orvel-zone --help 列出用法）";
// What is wrong with the arguments, between kBadArguments and kSeeHelp.
inline constexpr std::string_view kNoVerb =
    "缺少动词：check、status、remove、export、set-address、ie-mode 或 active-setup";
inline constexpr std::string_view kUnknownVerb = "未知动词 ";
inline constexpr std::string_view kUnknownOption = "未知选项 ";
inline constexpr std::string_view kNeedsAValue = " 需要一个值";           // after the option
inline constexpr std::string_view kOneAddress = " 需要且只需要一个网址";  // after the verb
inline constexpr std::string_view kRemoveAllWithAddress = "ie-mode --remove-all 不用网址";
inline constexpr std::string_view kSaveAndLoginForCheck = "--save 和 --login 只用于 check";
inline constexpr std::string_view kOutForExport = "--out 只用于 export";
inline constexpr std::string_view kSiteListForExport = "--site-list 只用于 export";
inline constexpr std::string_view kRemoveForIeMode =
    "--remove 只用于 ie-mode 和 active-setup，--remove-all 只用于 ie-mode";
inline constexpr std::string_view kRemoveAndRemoveAll = "--remove 和 --remove-all 不能同时使用";
inline constexpr std::string_view kIeModeWithUsers = "ie-mode 只写本机的设置，不用 --user 或 --all-users";
inline constexpr std::string_view kLoginForOtherUsers = "--login 只用于当前用户";
inline constexpr std::string_view kUserAndAllUsers = "--user 和 --all-users 不能同时使用";
inline constexpr std::string_view kSetAddressWithUsers = "set-address 不写任何用户的设置，不用 --user 或 --all-users";
inline constexpr std::string_view kExportForAllUsers = "export 只写一个文件：可用 --user，不可用 --all-users";
inline constexpr std::string_view kMachineForStatus = "--machine 只用于 status，且不用 --user 或 --all-users";
inline constexpr std::string_view kAgainForActiveSetup = "--again 只用于 active-setup";
inline constexpr std::string_view kAgainAndRemove = "--again 和 --remove 不能同时使用";
inline constexpr std::string_view kActiveSetupWithUsers = "active-setup 只写本机的设置，不用 --user 或 --all-users";
inline constexpr std::string_view kActiveSetupWithAddress = "active-setup --again 和 --remove 不用网址";
inline constexpr std::string_view kQuietForCheck = "--quiet 只用于 check";
inline constexpr std::string_view kUserNotASid = "--user 需要一个 SID，例如 S-1-5-21-...";
inline constexpr std::string_view kRefuseSystem =
    "以 SYSTEM 身份运行时请用 --user <SID> 或 --all-users 指明用户：SYSTEM 自己的配置不是任何人的浏览器。";
// --all-users with nobody logged on: only the machine's part can be done now.
inline constexpr std::string_view kNoUserHives =
    "HKEY_USERS 下没有已加载的用户配置单元（没有用户登录），本次只涉及本机的部分";
// After kNoUserHives, for check.
inline constexpr std::string_view kUsersAtNextLogon =
    "；安装程序包时指定了 ORVEL_ADDRESS 的，每个用户下次登录时会自动完成自己的部分";
// Before the machine's lines, after every user's.
inline constexpr std::string_view kMachineHeading = "本机：";
// The last line of a writing verb that found everything as it should be.
inline constexpr std::string_view kNothingChanged = "本次运行没有更改任何设置。";
inline constexpr std::string_view kHiveNotOpened = "无法打开用户配置单元 HKEY_USERS\\";
inline constexpr std::string_view kHiveNotLoaded = "：该用户没有登录（配置单元未加载），或没有打开它的权限。";
inline constexpr std::string_view kErrorCode = "，错误代码 ";
inline constexpr std::string_view kFileNotWritten = "无法写入文件 ";

// active-setup: the check at every user's next logon.
inline constexpr std::string_view kActiveSetupRegistered =
    "已在 Active Setup 中登记：每个用户下次登录时以自己的身份运行一次 ";
inline constexpr std::string_view kActiveSetupVersion = "登记的版本：";
inline constexpr std::string_view kActiveSetupNoneToRenew = "Active Setup 中没有本工具的登记，未改动。";
inline constexpr std::string_view kActiveSetupRemoved = "已删除 Active Setup 中的登记：用户登录时不再运行检测。";
inline constexpr std::string_view kActiveSetupNoneToRemove = "Active Setup 中没有本工具的登记。";
// Followed by ErrorCode.
inline constexpr std::string_view kActiveSetupNotWritten =
    "无法修改 HKEY_LOCAL_MACHINE 下 Active Setup 的登记（须以管理员或 SYSTEM 身份运行）";
inline constexpr std::string_view kActiveSetupUnreadable =
    "Active Setup 中已有的登记读不出网址，未改动：请以管理员身份运行 orvel-zone active-setup <网址>。";

// Edge's IE mode, for the console's verbs; the check's own lines come from
// its presenter.
inline constexpr std::string_view kIeNotRetired = "本机 IE 未停用，不需要 Edge 的 IE 模式。";
// The machine's part of IE mode missing: the site not in the list, or in the
// tool's list with an Edge policy value missing.
inline std::string_view IeModeMissing(bool listed) {
  return listed ? "本网站已在 Edge 的 IE 模式列表中，但本机 Edge 的 IE 模式设置不完整"
                : "本网站还不在 Edge 的 IE 模式列表中";
}
inline std::string IeModeNotSetUp(bool listed) {
  return std::string(IeModeMissing(listed))
      .append(listed ? "（以管理员身份运行 check 会补全）。" : "（以管理员身份运行 check 会加入）。");
}
// Where this process may not write the machine's part of IE mode.
inline std::string IeModeNeedsAdministrator(std::string_view address, bool listed = false) {
  return std::string(IeModeMissing(listed))
      .append("：须由管理员运行 orvel-zone ie-mode ")
      .append(address)
      .append("（或安装程序包时指定 ORVEL_ADDRESS）。");
}
inline std::string IeModeListLeftForAdministrator(std::string_view host) {
  return std::string("本网站仍在本机的 Edge IE 模式列表中：本程序没有修改它的权限，须由管理员运行：orvel-zone ie-mode ")
      .append(host)
      .append(" --remove");
}
inline constexpr std::string_view kMachineNotWritten =
    "无法写入本机的 Edge 策略或本工具的 IE 模式列表（须以管理员身份运行，且 %ProgramData%\\ORVEL 属于管理员）";
// Why the tool's folder was not used; empty for a status that is not the folder's.
inline std::string_view FolderRefused(int32_t status) {
  switch (status) {
    case folder_status::kLink:
      return "%ProgramData%\\ORVEL 是链接或挂载点，不是本工具的文件夹";
    case folder_status::kNotAFolder:
      return "%ProgramData%\\ORVEL 不是文件夹";
    case folder_status::kForeignOwner:
      return "%ProgramData%\\ORVEL 或其中的列表不属于 SYSTEM 或管理员";
    case folder_status::kOpenToOthers:
      return "%ProgramData%\\ORVEL 允许管理员以外的用户创建或修改文件";
    default:
      return {};
  }
}
// After FolderRefused.
inline constexpr std::string_view kNoFileTouched = "，未读写其中任何文件";
inline constexpr std::string_view kSiteListWritten = "已写入 IE 模式站点列表 ";
// Followed by the host and " --remove".
inline constexpr std::string_view kIeModeListKept =
    "本网站仍在本机的 Edge IE 模式列表中（本机所有用户共用此列表）；如要移出，请以管理员身份运行：orvel-zone ie-mode ";

// "，错误代码 N。"
inline std::string ErrorCode(int32_t status) { return Sentence(kErrorCode, std::to_string(status)); }
// A sentence with the code in it, before its full stop: "网址保存失败，错误代码 5。".
inline std::string WithErrorCode(std::string_view sentence, int32_t status) {
  constexpr std::string_view kFullStop = "。";
  if (sentence.ends_with(kFullStop)) sentence.remove_suffix(kFullStop.size());
  return std::string(sentence).append(ErrorCode(status));
}

}  // namespace orvel::cli::texts
