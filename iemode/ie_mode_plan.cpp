#include "iemode/ie_mode_plan.h"

#include "iemode/ie_mode_keys.h"

namespace orvel {

bool IsFinding(IeModeNote note) { return note >= IeModeNote::kNoEdge; }

bool IsIeModeLevel(uint32_t level) {
  return level == ie_mode_keys::kLevelIeMode || level == ie_mode_keys::kLevelStandaloneIe;
}

IeModePlan PlanIeMode(const IeModeFacts& facts) {
  using enum IeModeNote;
  if (!facts.ie_retired) return {};
  if (!facts.edge_present) return {false, {kNoEdge}};
  const bool level_absent = !facts.integration_level.has_value();
  if (!level_absent && !IsIeModeLevel(*facts.integration_level)) return {false, {kTurnedOffByPolicy}};
  // Edge uses a list only with the level set; the tool sets it only for its own list.
  const bool admin_list = facts.list_owner == ListOwner::kOther || facts.list_owner == ListOwner::kCloud;
  if (level_absent && admin_list) return {false, {kLevelNotSet}};
  if (facts.wildcard) return {false, {kWildcardAddress}};
  const bool unreadable = facts.list_owner != ListOwner::kNone && !facts.list_read;
  if (facts.list_owner == ListOwner::kCloud || unreadable) return {false, {kListUnreadable}};
  if (facts.list_owner == ListOwner::kOther && facts.list_old_format) return {false, {kOldFormatList}};
  if (facts.list_owner == ListOwner::kOther) return {false, {facts.listed ? kOpensInIeMode : kNotInAdminList}};
  // No list, or the tool's own: a level left absent has IE mode off, so it is set too.
  if (facts.listed && !level_absent) return {false, {kOpensInIeMode}};
  if (!facts.may_write) return {false, {kCannotEnable}};
  if (facts.listed) return {true, {kOpensInIeMode}};
  return {true, {kOpensInIeMode, kAddedToList}};
}

}  // namespace orvel
