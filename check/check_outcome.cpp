#include "check/check_outcome.h"

#include <algorithm>
#include <charconv>

namespace orvel {

std::vector<Finding> Findings(const ZoneDiagnosis& diagnosis) {
  std::vector<Finding> findings;
  if (diagnosis.machine_settings_only) findings.push_back({FindingKind::kMachineSettingsOnly, {}});
  if (diagnosis.site_list_excludes_host) findings.push_back({FindingKind::kSiteListExcludesHost, {}});
  if (!diagnosis.locked_actions.empty()) {
    Finding locked{FindingKind::kLockedActions, {}};
    for (const std::string& action : diagnosis.locked_actions) {
      uint32_t number = 0;
      std::from_chars(action.data(), action.data() + action.size(), number);
      locked.actions.push_back(number);
    }
    findings.push_back(std::move(locked));
  }
  if (diagnosis.enhanced_security) findings.push_back({FindingKind::kEnhancedSecurity, {}});
  return findings;
}

bool CheckOutcome::Stopped() const { return !findings.empty() || std::ranges::any_of(ie_mode.notes, IsFinding); }

bool CheckOutcome::Saved() const { return std::ranges::find(completed, CheckStep::kSave) != completed.end(); }

}  // namespace orvel
