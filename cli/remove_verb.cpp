#include "cli/remove_verb.h"

#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/ie_mode_report.h"
#include "cli/machine_part.h"
#include "iemode/ie_mode_setup.h"
#include "zones/remove_site.h"

namespace orvel::cli {

VerbResult RunRemove(Registry& registry, const SiteAddress& address) {
  const RemovedSite site = RemoveTrustedSite(registry, address.host, address.kind, address.typed_scheme);
  VerbResult result;
  std::vector<std::string> removed;
  for (const RemovedEntry& entry : site.removed) {
    JsonObject json;
    json.Text("key", entry.key);
    if (entry.value.empty()) {
      result.lines.push_back(texts::Sentence(texts::kRemovedKey, entry.key));
      json.Null("value");
    } else {
      result.lines.push_back(texts::RemovedValue(entry.value, entry.key));
      json.Text("value", entry.value);
    }
    removed.push_back(json.Json());
  }
  if (site.result != status::kSuccess) {
    result.errors.push_back(texts::Sentence(texts::kRemoveFailed, std::to_string(site.result)));
    result.code = kFailed;
  } else if (site.removed.empty()) {
    result.lines.emplace_back(texts::kNothingToRemove);
  }
  result.lines.emplace_back(texts::kZoneSettingsKept);
  result.json.Raw("removed", JsonArray(removed)).Number("result", site.result).Bool("zone_settings_kept", true);
  return result;
}

VerbResult RemoveFromIeModeList(Registry& machine_writes, SiteListFiles& files, const Options& options,
                                const SiteAddress& address, ExitCode users, bool may_write) {
  VerbResult result;
  bool kept = false;
  const bool no_one_needs_it = options.all_users && !address.typed_scheme && users == kDone;
  if (no_one_needs_it && may_write) {
    if (const int32_t removed = RemoveHostFromIeMode(machine_writes, files, address.host);
        removed != status::kSuccess) {
      result.errors.push_back(NotWrittenError(removed));
      result.code = MachinePartCode(Verb::kRemove, MachinePart::kWriteFailed, may_write);
    }
  } else {
    SiteList list;
    kept = files.ReadOwnList(list) == status::kSuccess && RemoveHost(list, address.host);
    if (kept && no_one_needs_it) {
      result.lines.push_back(texts::IeModeListLeftForAdministrator(address.host));
      result.code = MachinePartCode(Verb::kRemove, MachinePart::kMissing, may_write);
    } else if (kept) {
      result.lines.push_back(std::string(texts::kIeModeListKept).append(address.host).append(" --remove"));
    }
  }
  result.json.Bool("ie_mode_list_kept", kept);
  return result;
}

}  // namespace orvel::cli
