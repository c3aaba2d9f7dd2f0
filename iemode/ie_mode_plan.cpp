#include "iemode/ie_mode_plan.h"

#include "iemode/ie_mode_keys.h"
#include "iemode/site_list.h"

namespace orvel {

bool IsFinding(IeModeNote note) { return note >= IeModeNote::kNoEdge; }

bool IsIeModeLevel(uint32_t level) {
  return level == ie_mode_keys::kLevelIeMode || level == ie_mode_keys::kLevelStandaloneIe;
}

IeModePlan PlanIeMode(const IeModeState& state, const Site& site, bool may_write) {
  using enum IeModeNote;
  if (!state.ie_retired) return {};
  if (state.edge_path.empty()) return {false, {kNoEdge}};
  const std::optional<uint32_t> level = state.integration_level;
  if (level && !IsIeModeLevel(*level)) return {false, {kTurnedOffByPolicy}};
  // Edge uses a list only with the level set; the tool sets it only for its own list.
  const ListOwner owner = state.list.owner;
  const bool admin_list = owner == ListOwner::kOther || owner == ListOwner::kCloud;
  if (!level && admin_list) return {false, {kLevelNotSet}};
  if (IsWildcardSite(site)) return {false, {kWildcardAddress}};
  const bool unreadable = owner != ListOwner::kNone && !state.listed;
  if (owner == ListOwner::kCloud || unreadable) return {false, {kListUnreadable}};
  const bool listed = state.listed.value_or(false);
  if (owner == ListOwner::kOther && state.list.old_format) return {false, {kOldFormatList}};
  if (owner == ListOwner::kOther) return {false, {listed ? kOpensInIeMode : kNotInAdminList}};
  // No list, or the tool's own: a level left absent has IE mode off, so it is set too.
  if (listed && level) return {false, {kOpensInIeMode}};
  if (!may_write) return {false, {kCannotEnable}};
  if (listed) return {true, {kOpensInIeMode}};
  // Edge reads a list it holds a copy of again only a minute after it starts.
  if (state.own_list_version != 0) return {true, {kOpensInIeMode, kAddedToList, kSeenAfterAMinute}};
  return {true, {kOpensInIeMode, kAddedToList}};
}

}  // namespace orvel
