#include "cli/remove_verb.h"

#include <string>
#include <vector>

#include "cli/cli_texts.h"
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
      result.lines.push_back(std::string(texts::kRemovedKey).append(entry.key).append("。"));
      json.Null("value");
    } else {
      result.lines.push_back(
          std::string(texts::kRemovedValue).append(entry.value).append("（").append(entry.key).append("）。"));
      json.Text("value", entry.value);
    }
    removed.push_back(json.Json());
  }
  if (site.result != status::kSuccess) {
    result.errors.push_back(std::string(texts::kRemoveFailed).append(std::to_string(site.result)).append("。"));
    result.code = kFailed;
  } else if (site.removed.empty()) {
    result.lines.emplace_back(texts::kNothingToRemove);
  }
  result.lines.emplace_back(texts::kZoneSettingsKept);
  result.json.Raw("removed", JsonArray(removed)).Number("result", site.result).Bool("zone_settings_kept", true);
  return result;
}

}  // namespace orvel::cli
