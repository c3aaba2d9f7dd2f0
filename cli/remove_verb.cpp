#include "cli/remove_verb.h"

#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/ie_mode_report.h"
#include "cli/machine_part.h"
#include "iemode/ie_mode_setup.h"
#include "zones/remove_site.h"
#include "zones/zone_record.h"

namespace orvel::cli {
namespace {

// What remove does with the host's entry in the tool's IE mode list.
enum class ListStep : uint8_t {
  kNone,                  // the host is not on it
  kTakeOut,               // no user needs it, and this process may write the list
  kKeep,                  // another user, or the host's trust for the other scheme, may need it
  kLeaveToAdministrator,  // no user needs it, but this process may not take it out
};

ListStep DecideListStep(SiteListFiles& files, const Options& options, const SiteAddress& address, ExitCode users,
                        bool may_write) {
  const bool no_one_needs_it = options.all_users && !address.scheme_typed && users == kDone;
  if (no_one_needs_it && may_write) return ListStep::kTakeOut;
  SiteList list;
  if (files.ReadOwnList(list) != status::kSuccess || !RemoveHost(list, address.site.host)) return ListStep::kNone;
  return no_one_needs_it ? ListStep::kLeaveToAdministrator : ListStep::kKeep;
}

// `removed`: the status of taking the host out, 0 where it was not tried.
VerbResult ListStepResult(ListStep step, int32_t removed, std::string_view host) {
  VerbResult result;
  if (removed != status::kSuccess) {
    result.errors.push_back(NotWrittenError(removed));
    result.code = MachinePartCode(Verb::kRemove, MachinePart::kWriteFailed, /*may_write=*/true);
  } else if (step == ListStep::kLeaveToAdministrator) {
    result.lines.push_back(texts::IeModeListLeftForAdministrator(host));
    result.code = MachinePartCode(Verb::kRemove, MachinePart::kNotPermitted, /*may_write=*/false);
  } else if (step == ListStep::kKeep) {
    result.lines.push_back(std::string(texts::kIeModeListKept).append(host).append(" --remove"));
  }
  result.json.Bool("ie_mode_list_kept", step == ListStep::kKeep || step == ListStep::kLeaveToAdministrator);
  return result;
}

}  // namespace

VerbResult RunRemove(Registry& registry, const SiteAddress& address) {
  const RemovedSite site = RemoveTrustedSite(registry, address.site,
                                             address.scheme_typed ? RemovedSchemes::kTheSites : RemovedSchemes::kEvery);
  VerbResult result;
  std::vector<std::string> removed;
  for (const RemovedEntry& entry : site.removed) {
    result.lines.push_back(entry.value.empty() ? texts::Sentence(texts::kRemovedKey, entry.key)
                                               : texts::RemovedValue(entry.value, entry.key));
    removed.push_back(JsonObject().Text("key", entry.key).TextOrNull("value", entry.value).Json());
  }
  if (site.result != status::kSuccess) {
    result.errors.push_back(texts::Sentence(texts::kRemoveFailed, std::to_string(site.result)));
    result.code = kFailed;
  } else if (site.removed.empty()) {
    result.lines.emplace_back(texts::kNothingToRemove);
  }
  const ZoneReleaseResult zone = ReleaseZoneRecord(registry, address.site);
  const bool restored = zone.outcome == ZoneRelease::kRestored;
  if (zone.result != status::kSuccess) {
    result.errors.push_back(texts::Sentence(texts::kZoneRestoreFailed, std::to_string(zone.result)));
    result.code = kFailed;
  } else {
    result.lines.push_back(restored                             ? texts::ZoneSettingsRestored(zone.values_left)
                           : zone.outcome == ZoneRelease::kKept ? std::string(texts::kZoneSettingsKept)
                                                                : std::string(texts::kZoneSettingsNoRecord));
  }
  result.json.Raw("removed", JsonArray(removed))
      .Number("result", site.result)
      .Bool("zone_settings_kept", !restored)
      .Bool("zone_restored", restored)
      .Number("zone_values_left", zone.values_left);
  return result;
}

VerbResult RemoveFromIeModeList(Registry& machine_writes, SiteListFiles& files, const Options& options,
                                const SiteAddress& address, ExitCode users, bool may_write) {
  const ListStep step = DecideListStep(files, options, address, users, may_write);
  const int32_t removed =
      step == ListStep::kTakeOut ? RemoveHostFromIeMode(machine_writes, files, address.site.host) : status::kSuccess;
  return ListStepResult(step, removed, address.site.host);
}

}  // namespace orvel::cli
