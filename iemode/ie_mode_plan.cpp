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
  using enum MachinePart;
  if (!state.ie_retired) return {};
  if (state.edge_path.empty()) return {kInPlace, {kNoEdge}};
  if (state.ie_feature_off) return {kInPlace, {kIeFeatureOff}};
  const std::optional<uint32_t> level = state.integration_level;
  if (level && !IsIeModeLevel(*level)) return {kInPlace, {kTurnedOffByPolicy}};
  // Edge uses a list only with the level set; the tool sets it only for its own list.
  const ListOwner owner = state.list.owner;
  const bool admin_list = owner == ListOwner::kOther || owner == ListOwner::kCloud;
  if (!level && admin_list) return {kInPlace, {kLevelNotSet}};
  if (IsWildcardSite(site)) return {kInPlace, {kWildcardAddress}};
  // The tool's own list unread (its folder refused) is mended by a set-up,
  // which protects the folder or says why it cannot.
  if (owner == ListOwner::kTool && !state.listed && may_write) return {kSetUpNow, {kOpensInIeMode}};
  const bool unreadable = owner != ListOwner::kNone && !state.listed;
  if (owner == ListOwner::kCloud || unreadable) return {kInPlace, {kListUnreadable}};
  const bool listed = state.listed.value_or(false);
  if (owner == ListOwner::kOther && state.list.old_format) return {kInPlace, {kOldFormatList}};
  if (owner == ListOwner::kOther) return {kInPlace, {listed ? kOpensInIeMode : kNotInAdminList}};
  // No list, or the tool's own: a level left absent has IE mode off, so it is set too.
  if (listed && level) return {kInPlace, {kOpensInIeMode}};
  if (!may_write) return {kNotPermitted, {kCannotEnable}};
  if (listed) return {kSetUpNow, {kOpensInIeMode}};
  // Edge reads a list it holds a copy of again only a minute after it starts.
  if (state.own_list_version != 0) return {kSetUpNow, {kOpensInIeMode, kAddedToList, kSeenAfterAMinute}};
  return {kSetUpNow, {kOpensInIeMode, kAddedToList}};
}

}  // namespace orvel
