#include "check/check_presenter.h"

#include "check/texts.h"

namespace orvel {
namespace {

std::string LockedActionsLine(const std::vector<uint32_t>& actions) {
  std::string line(texts::kLockedActions);
  for (size_t i = 0; i < actions.size(); ++i) {
    if (i > 0) line += texts::kListSeparator;
    line += std::to_string(actions[i]);
  }
  return line.append(texts::kFullStop);
}

}  // namespace

std::string_view IeModeLine(IeModeNote note) {
  switch (note) {
    case IeModeNote::kOpensInIeMode:
      return texts::kOpensInIeMode;
    case IeModeNote::kAddedToList:
      return texts::kAddedToIeModeList;
    case IeModeNote::kSeenAfterAMinute:
      return texts::kListSeenAfterAMinute;
    case IeModeNote::kPopupsInEdge:
      return texts::kAllowPopupsInEdge;
    case IeModeNote::kNoEdge:
      return texts::kNoEdge;
    case IeModeNote::kIeFeatureOff:
      return texts::kIeFeatureOff;
    case IeModeNote::kTurnedOffByPolicy:
      return texts::kIeModeTurnedOff;
    case IeModeNote::kNotInAdminList:
      return texts::kNotInAdminList;
    case IeModeNote::kListUnreadable:
      return texts::kIeModeListUnreadable;
    case IeModeNote::kCannotEnable:
      return texts::kCannotEnableIeMode;
    case IeModeNote::kLevelNotSet:
      return texts::kIeModeLevelNotSet;
    case IeModeNote::kOldFormatList:
      return texts::kOldFormatList;
    case IeModeNote::kWildcardAddress:
      return texts::kWildcardNotListed;
  }
  return {};
}

std::vector<std::string> IeModeFindingLines(const std::vector<IeModeNote>& notes) {
  std::vector<std::string> lines;
  for (const IeModeNote note : notes) {
    if (IsFinding(note)) lines.emplace_back(IeModeLine(note));
  }
  return lines;
}

std::string_view FailureText(CheckStep step) {
  switch (step) {
    case CheckStep::kAddress:
      return texts::kAddressInvalid;
    case CheckStep::kTrustedSite:
      return texts::kTrustedSiteFailed;
    case CheckStep::kPermissions:
      return texts::kPermissionsFailed;
    case CheckStep::kSave:
      return texts::kSaveFailed;
  }
  return {};
}

std::vector<std::string> FindingLines(const ZoneDiagnosis& diagnosis) {
  std::vector<std::string> lines;
  if (diagnosis.machine_settings_only) lines.emplace_back(texts::kMachineSettingsOnly);
  if (diagnosis.site_list_excludes_host) lines.emplace_back(texts::kSiteListExcludesHost);
  if (!diagnosis.locked_actions.empty()) lines.push_back(LockedActionsLine(diagnosis.locked_actions));
  if (diagnosis.enhanced_security) lines.emplace_back(texts::kEnhancedSecurity);
  return lines;
}

std::vector<std::string> CheckLines(const CheckOutcome& outcome) {
  // Each step announces itself, then says how it went; the save has no line
  // of its own unless it fails, and comes before the permissions' last line.
  std::vector<std::string> lines{std::string(texts::kCheckingAddress)};
  const auto add = [&lines](std::string_view line) { lines.emplace_back(line); };
  if (outcome.failed == CheckStep::kAddress) {
    add(texts::kAddressInvalid);
    return lines;
  }
  add(texts::kAddressChecked);
  add(texts::kCheckingTrustedSite);
  if (outcome.failed == CheckStep::kTrustedSite) {
    add(texts::kTrustedSiteFailed);
    return lines;
  }
  add(texts::kTrustedSiteAdded);
  add(texts::kCheckingPermissions);
  if (outcome.failed) {
    add(FailureText(*outcome.failed));
    return lines;
  }
  add(texts::kPermissionsChecked);
  if (!outcome.desktop_account.empty()) {
    lines.push_back(
        std::string(texts::kDesktopUserBefore).append(outcome.desktop_account).append(texts::kDesktopUserAfter));
  }
  for (std::string& line : FindingLines(outcome.diagnosis)) lines.push_back(std::move(line));
  for (const IeModeNote note : outcome.ie_mode.notes) add(IeModeLine(note));
  return lines;
}

Box CheckBox(const CheckOutcome& outcome) {
  if (outcome.failed) return {FailureText(*outcome.failed), MessageStyle::kExclamation};
  // Everything was written and saved: the check succeeded even when the
  // browser will not honour it, and says so.
  if (outcome.Stopped()) return {texts::kCheckDoneIneffective, MessageStyle::kExclamation};
  return {texts::kCheckDone, MessageStyle::kInformation};
}

Box BrowserFailedBox() { return {texts::kBrowserFailed, MessageStyle::kExclamation}; }

void ShowCheck(CheckView& view, const CheckOutcome& outcome) {
  view.ClearProgress();
  view.SetAddressText(outcome.address);
  for (const std::string& line : CheckLines(outcome)) view.AddProgressLine(line);
  const Box box = CheckBox(outcome);
  view.ShowMessage(box.text, box.style);
}

}  // namespace orvel
