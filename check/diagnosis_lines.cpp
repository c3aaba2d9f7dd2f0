#include "check/diagnosis_lines.h"

#include "check/texts.h"

namespace orvel {

std::vector<std::string> DiagnosisLines(const ZoneDiagnosis& diagnosis) {
  std::vector<std::string> lines;
  if (diagnosis.machine_settings_only) lines.emplace_back(texts::kMachineSettingsOnly);
  if (diagnosis.site_list_excludes_host) lines.emplace_back(texts::kSiteListExcludesHost);
  if (!diagnosis.locked_actions.empty()) {
    std::string line(texts::kLockedActions);
    for (size_t i = 0; i < diagnosis.locked_actions.size(); ++i) {
      if (i > 0) line += texts::kListSeparator;
      line += diagnosis.locked_actions[i];
    }
    lines.push_back(line + std::string(texts::kFullStop));
  }
  if (diagnosis.enhanced_security) lines.emplace_back(texts::kEnhancedSecurity);
  return lines;
}

std::string DesktopUserLine(std::string_view account) {
  return std::string(texts::kDesktopUserBefore).append(account).append(texts::kDesktopUserAfter);
}

}  // namespace orvel
