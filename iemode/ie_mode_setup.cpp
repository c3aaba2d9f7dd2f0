#include "iemode/ie_mode_setup.h"

#include <algorithm>
#include <chrono>

#include "iemode/ie_mode_keys.h"
#include "iemode/ie_retired.h"
#include "iemode/policy_record.h"
#include "iemode/popup_policy.h"

namespace orvel {
namespace {

// Now as a FILETIME: 100 ns ticks since 1601, as Windows gives process times.
uint64_t FileTimeNow() {
  using Ticks = std::chrono::duration<uint64_t, std::ratio<1, 10'000'000>>;
  constexpr uint64_t kUnixEpoch = 116'444'736'000'000'000;
  return kUnixEpoch + std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Adds the site to the tool's list unless it is listed, then sets the absent
// policy values. The record key is made first: where the machine's policies
// may not be written, that fails before any file is.
int32_t SetUp(Registry& machine_writes, SiteListFiles& files, const Site& site, bool listed) {
  {
    RegistryKey record(machine_writes);
    if (const int32_t result = record.Create(ie_mode_keys::kRecord); result != status::kSuccess) return result;
  }
  int32_t result =
      listed ? status::kSuccess
             : files.EditOwnList(OwnListEdit::kAdd, [&](SiteList& list) { return AddSite(list, SiteEntryUrl(site)); });
  if (result == status::kSuccess) result = SetAbsentPolicies(machine_writes, FileUrl(files.OwnListPath()));
  if (result == status::kSuccess) result = AllowPopups(machine_writes, SiteEntryUrl(site));
  // A plan sets up only what is missing, so every set-up changes something.
  if (result == status::kSuccess) {
    RegistryKey record(machine_writes);
    result = record.Open(ie_mode_keys::kRecord);
    if (result == status::kSuccess) result = record.SetQword(ie_mode_keys::kChangedAt, FileTimeNow());
  }
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

IeModeState ReadState(const Hives& hives, SiteListFiles& files, const Site& site) {
  IeModeState state;
  state.ie_retired = IsIeRetired(ReadWindowsFacts(hives));
  state.edge_path = ReadEdgePath(hives.machine);
  if (!state.edge_path.empty() && !files.FileExists(state.edge_path)) state.edge_path.clear();
  state.integration_level = ReadIntegrationLevel(hives);
  state.list = ReadListInForce(hives, files);
  SiteList list;
  int32_t read = status::kFileNotFound;
  if (state.list.owner == ListOwner::kTool || (state.list.owner == ListOwner::kNone && state.ie_retired)) {
    // A missing file is an empty list.
    read = files.ReadOwnList(list);
    if (IsMissing(read)) read = status::kSuccess;
    if (read == status::kSuccess) state.own_list_version = list.version;
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

IeModeOutcome RunIeMode(const Hives& hives, Registry* machine_writes, SiteListFiles& files, const Site& site) {
  IeModeOutcome outcome;
  outcome.state = ReadState(hives, files, site);
  IeModePlan plan = PlanIeMode(outcome.state, site, machine_writes != nullptr);
  outcome.notes = std::move(plan.notes);
  outcome.machine_part = plan.machine_part;
  if (plan.machine_part == MachinePart::kSetUpNow) {
    outcome.status = SetUp(*machine_writes, files, site, outcome.state.listed.value_or(false));
    outcome.machine_part = outcome.status == status::kSuccess ? MachinePart::kSetUpNow : MachinePart::kWriteFailed;
  }
  if (outcome.machine_part == MachinePart::kWriteFailed) {
    outcome.notes = {IeModeNote::kCannotEnable};
  } else if (outcome.machine_part == MachinePart::kSetUpNow) {
    outcome.state.listed = true;
  }
  // Nothing the plan weighs: read once, as any set-up left them.
  outcome.state.delay_initial_download =
      ReadEdgePolicyDword(hives, ie_mode_keys::kDelayInitialDownload) == std::optional<uint32_t>(1);
  outcome.state.popups_allowed = PopupsAllowed(hives.machine, SiteEntryUrl(site));
  return outcome;
}

std::optional<uint64_t> SetUpChangedAt(Registry& machine, SiteListFiles& files) {
  RegistryKey record(machine);
  if (record.Open(ie_mode_keys::kRecord) != status::kSuccess) return files.OwnListWrittenAt();
  const std::optional<uint64_t> changed = record.ReadQword(ie_mode_keys::kChangedAt);
  return changed ? changed : files.OwnListWrittenAt();
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
