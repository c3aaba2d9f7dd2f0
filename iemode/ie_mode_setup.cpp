#include "iemode/ie_mode_setup.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "iemode/ie_mode_keys.h"
#include "iemode/ie_retired.h"
#include "iemode/policy_record.h"
#include "iemode/popup_policy.h"
#include "text/ascii.h"

namespace orvel {
namespace {

// Now as a FILETIME: 100 ns ticks since 1601, as Windows gives process times.
uint64_t FileTimeNow() {
  using Ticks = std::chrono::duration<uint64_t, std::ratio<1, 10'000'000>>;
  constexpr uint64_t kUnixEpoch = 116'444'736'000'000'000;
  return kUnixEpoch + std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Edits the tool's list at a version above any it wrote before, and records
// the version written.
int32_t EditOwnList(Registry& machine_writes, SiteListFiles& files, OwnListEdit kind,
                    const std::function<bool(SiteList&)>& edit) {
  const uint32_t highest =
      ReadDword(machine_writes, ie_mode_keys::kRecordParent, ie_mode_keys::kListVersion).value_or(0);
  uint32_t written = 0;
  const int32_t result = files.EditOwnList(kind, [&](SiteList& list) {
    list.version = std::max(list.version, highest);
    const bool changed = edit(list);
    written = list.version;
    return changed;
  });
  if (result != status::kSuccess || written <= highest) return result;
  RegistryKey parent(machine_writes);
  const int32_t created = parent.Create(ie_mode_keys::kRecordParent);
  return created == status::kSuccess ? parent.SetDword(ie_mode_keys::kListVersion, written) : created;
}

// Deletes the tool's list, and its folder last and only when no policy names
// the list: an empty folder gone while a policy names it, anyone could make
// it again and hand every user's Edge a list.
int32_t DeleteOwnListAndFolder(Registry& machine_writes, SiteListFiles& files) {
  const std::optional<std::string> named =
      ReadString(machine_writes, ie_mode_keys::kEdgePolicy, ie_mode_keys::kSiteList);
  const bool still_named = named && EqualsFolded(SiteListPath(*named), files.OwnListPath());
  const int32_t result = files.DeleteOwnList(still_named ? OwnFolderAfter::kKept : OwnFolderAfter::kDeletedIfEmpty);
  return IsMissing(result) ? status::kSuccess : result;
}

// Adds the site to the tool's list unless it is listed, then sets the absent
// policy values. The record key is made first: where the machine's policies
// may not be written, that fails before any file is.
int32_t SetUp(Registry& machine_writes, SiteListFiles& files, const Site& site, bool listed) {
  {
    RegistryKey record(machine_writes);
    if (const int32_t result = record.Create(ie_mode_keys::kRecord); result != status::kSuccess) return result;
  }
  int32_t result = listed ? status::kSuccess
                          : EditOwnList(machine_writes, files, OwnListEdit::kAdd,
                                        [&](SiteList& list) { return AddSite(list, SiteEntryUrl(site)); });
  if (result == status::kSuccess) result = SetAbsentPolicies(machine_writes, FileUrl(files.OwnListPath()));
  // The bare host: every scheme and port of it.
  if (result == status::kSuccess) result = AllowPopups(machine_writes, site.host);
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

// A folder that cannot be read is no finding: only files known missing are.
bool IeFeatureFilesThere(Registry& machine, SiteListFiles& files) {
  using namespace ie_mode_keys;
  const std::optional<std::string> system = ReadString(machine, kCurrentVersion, kSystemRoot);
  const std::optional<std::string> programs = ReadString(machine, kWindowsCurrentVersion, kProgramFilesDir);
  if (!system || !programs) return true;
  return files.FileExists(*system + "\\System32\\ieframe.dll") &&
         files.FileExists(*programs + "\\Internet Explorer\\iexplore.exe");
}

IeModeState ReadState(const Hives& hives, SiteListFiles& files, const Site& site) {
  IeModeState state;
  state.edge_path = ReadEdgePath(hives.machine);
  if (!state.edge_path.empty() && !files.FileExists(state.edge_path)) state.edge_path.clear();
  WindowsFacts windows = ReadWindowsFacts(hives);
  windows.has_edge = !state.edge_path.empty();
  state.ie_retired = IsIeRetired(windows);
  if (state.ie_retired && windows.has_edge && IsWindows10(windows)) state.ie_feature_off = !IeFeatureFilesThere(hives.machine, files);
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
  outcome.state.popups_allowed = PopupsAllowed(hives.machine, site.host);
  if (outcome.state.popups_allowed == true &&
      std::ranges::find(outcome.notes, IeModeNote::kOpensInIeMode) != outcome.notes.end()) {
    outcome.notes.push_back(IeModeNote::kPopupsInEdge);
  }
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
  const int32_t result = EditOwnList(machine_writes, files, OwnListEdit::kRemove, [&](SiteList& list) {
    const bool removed = RemoveHost(list, host);
    emptied = removed && list.sites.empty();
    return removed;
  });
  if (IsMissing(result)) return status::kSuccess;
  if (result != status::kSuccess) return result;
  // The last site out takes every pop-up value the tool added with it.
  int32_t taken_back = emptied ? TakeBackPopups(machine_writes, std::nullopt) : TakeBackPopups(machine_writes, host);
  if (taken_back != status::kSuccess || !emptied) return taken_back;
  taken_back = TakeBackPolicies(machine_writes, FileUrl(files.OwnListPath()));
  return taken_back == status::kSuccess ? DeleteOwnListAndFolder(machine_writes, files) : taken_back;
}

int32_t RemoveIeModeSetUp(Registry& machine_writes, SiteListFiles& files) {
  // The policies first, whether or not the folder is the tool's: left
  // behind, they would hand Edge whatever list is put there.
  int32_t result = TakeBackPopups(machine_writes, std::nullopt);
  if (result == status::kSuccess) result = TakeBackPolicies(machine_writes, FileUrl(files.OwnListPath()));
  return result == status::kSuccess ? DeleteOwnListAndFolder(machine_writes, files) : result;
}

}  // namespace orvel
