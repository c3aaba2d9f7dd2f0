#include "iemode/ie_mode_setup.h"

#include <algorithm>

#include "iemode/ie_mode_keys.h"
#include "iemode/ie_retired.h"
#include "iemode/policy_record.h"
#include "iemode/popup_policy.h"

namespace orvel {
namespace {

// Adds the site to the tool's list unless it is listed, then sets the absent
// policy values. The record key is made first: where the machine's policies
// may not be written, that fails before any file is. `list_existed` tells
// whether the site went into a list that was there before.
int32_t SetUp(Registry& machine_writes, SiteListFiles& files, const SiteTarget& site, bool listed, bool& list_existed) {
  {
    RegistryKey record(machine_writes);
    if (const int32_t result = record.Create(ie_mode_keys::kRecord); result != status::kSuccess) return result;
  }
  int32_t result = listed ? status::kSuccess : files.EditOwnList(OwnListEdit::kAdd, [&](SiteList& list) {
    // A missing file reads as a list of version 0; the tool's start at 1.
    list_existed = list.version != 0;
    return AddSite(list, SiteEntryUrl(site));
  });
  if (result == status::kSuccess) result = SetAbsentPolicies(machine_writes, FileUrl(files.OwnListPath()));
  if (result == status::kSuccess) result = AllowPopups(machine_writes, SiteEntryUrl(site));
  // Nothing is left recorded for a set-up that did not finish.
  if (result != status::kSuccess) {
    RegistryKey record(machine_writes);
    if (record.Open(ie_mode_keys::kRecord) == status::kSuccess && record.IsEmpty()) {
      record.Close();
      TakeBackPolicies(machine_writes, FileUrl(files.OwnListPath()));
    }
  }
  return result;
}

IeModeState ReadState(Registry& machine, Registry& user, SiteListFiles& files, const SiteTarget& site) {
  IeModeState state;
  state.ie_retired = IsIeRetired(ReadWindowsFacts(machine, user));
  state.edge_path = ReadEdgePath(machine);
  if (!state.edge_path.empty() && !files.FileExists(state.edge_path)) state.edge_path.clear();
  state.integration_level = ReadIntegrationLevel(machine, user);
  state.list = ReadListInForce(machine, user, files);
  SiteList list;
  int32_t read = status::kFileNotFound;
  if (state.list.owner == ListOwner::kTool) {
    // A missing file is an empty list.
    read = files.ReadOwnList(list);
    if (IsMissing(read)) read = status::kSuccess;
  } else if (!state.list.path.empty()) {
    read = files.ReadList(state.list.path, list);
  }
  if (state.list.owner == ListOwner::kNone) {
    state.listed = false;
  } else if (read == status::kSuccess) {
    state.listed = ListsSite(list, site);
    state.list.old_format = list.old_format;
  }
  return state;
}

}  // namespace

bool IeModeOutcome::NotWritten() const { return std::ranges::find(notes, IeModeNote::kCannotEnable) != notes.end(); }

IeModeOutcome RunIeMode(Registry& machine, Registry& user, Registry* machine_writes, SiteListFiles& files,
                        const SiteTarget& site) {
  IeModeOutcome outcome;
  outcome.state = ReadState(machine, user, files, site);
  const IeModeState& state = outcome.state;
  const IeModeFacts facts{
      .ie_retired = state.ie_retired,
      .edge_present = !state.edge_path.empty(),
      .integration_level = state.integration_level,
      .list_owner = state.list.owner,
      .list_read = state.listed.has_value(),
      .listed = state.listed.value_or(false),
      .may_write = machine_writes != nullptr,
      .list_old_format = state.list.old_format,
      .wildcard = IsWildcardSite(site),
  };
  IeModePlan plan = PlanIeMode(facts);
  outcome.notes = std::move(plan.notes);
  bool list_existed = false;
  if (plan.set_up) outcome.status = SetUp(*machine_writes, files, site, facts.listed, list_existed);
  if (outcome.status != status::kSuccess) {
    outcome.notes = {IeModeNote::kCannotEnable};
  } else if (plan.set_up) {
    outcome.state.listed = true;
    if (list_existed && std::ranges::find(outcome.notes, IeModeNote::kAddedToList) != outcome.notes.end()) {
      outcome.notes.push_back(IeModeNote::kSeenAfterAMinute);
    }
  }
  // Nothing the plan weighs: read once, as any set-up left them.
  outcome.state.delay_initial_download =
      ReadEdgePolicyDword(machine, user, ie_mode_keys::kDelayInitialDownload) == std::optional<uint32_t>(1);
  outcome.state.popups_allowed = PopupsAllowed(machine, SiteEntryUrl(site));
  return outcome;
}

int32_t RemoveHostFromIeMode(Registry& machine_writes, SiteListFiles& files, std::string_view host) {
  bool emptied = false;
  const int32_t result = files.EditOwnList(OwnListEdit::kRemove, [&](SiteList& list) {
    const bool removed = RemoveHost(list, host);
    emptied = removed && list.sites.empty();
    return removed;
  });
  if (IsMissing(result)) return status::kSuccess;
  if (result != status::kSuccess) return result;
  // The last site out takes every pop-up value the tool added with it.
  const int32_t popups = emptied ? TakeBackPopups(machine_writes, std::nullopt) : TakeBackPopups(machine_writes, host);
  if (popups != status::kSuccess || !emptied) return popups;
  return TakeBackPolicies(machine_writes, FileUrl(files.OwnListPath()));
}

int32_t RemoveIeModeSetUp(Registry& machine_writes, SiteListFiles& files) {
  // Policies that name the tool's list go even when its folder is not the
  // tool's: left behind, they would hand Edge whatever list is put there.
  int32_t result = files.DeleteOwnList();
  if (IsMissing(result)) result = status::kSuccess;
  int32_t taken_back = TakeBackPopups(machine_writes, std::nullopt);
  if (taken_back == status::kSuccess) taken_back = TakeBackPolicies(machine_writes, FileUrl(files.OwnListPath()));
  return result != status::kSuccess ? result : taken_back;
}

}  // namespace orvel
