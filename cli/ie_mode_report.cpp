#include "cli/ie_mode_report.h"

#include <vector>

#include "check/check_presenter.h"
#include "cli/cli_texts.h"
#include "cli/machine_part.h"

namespace orvel::cli {
namespace {

std::string_view OwnerName(ListOwner owner) {
  switch (owner) {
    case ListOwner::kNone:
      return {};
    case ListOwner::kTool:
      return "orvel";
    case ListOwner::kOther:
      return "other";
    case ListOwner::kCloud:
      return "cloud";
  }
  return {};
}

}  // namespace

std::string IeModeJson(const IeModeState& state) {
  JsonObject json;
  json.Bool("ie_retired", state.ie_retired)
      .TextOrNull("edge", state.edge_path)
      .NumberOrNull("integration_level", state.integration_level)
      .Bool("delay_initial_download", state.delay_initial_download)
      .BoolOrNull("popups_allowed", state.popups_allowed);
  if (state.list.owner == ListOwner::kNone) {
    json.Null("site_list").Null("site_list_owner");
  } else {
    json.Text("site_list", state.list.location).Text("site_list_owner", OwnerName(state.list.owner));
  }
  return json.BoolOrNull("listed", state.listed).Json();
}

std::string NotWrittenError(int32_t status) {
  const std::string_view why = texts::FolderRefused(status);
  if (why.empty()) return std::string(texts::kMachineNotWritten).append(texts::ErrorCode(status));
  return std::string(why).append(texts::kNoFileTouched).append(texts::ErrorCode(status));
}

VerbResult IeModeResult(const IeModeOutcome& outcome, std::string_view address) {
  VerbResult result;
  if (!outcome.state.ie_retired) result.lines.emplace_back(texts::kIeNotRetired);
  for (const IeModeNote note : outcome.notes) result.lines.emplace_back(IeModeLine(note));
  std::vector<std::string> findings = IeModeFindingLines(outcome.notes);
  // Only the check leaves a part it may not write to an administrator; ie-mode
  // is run to write it.
  const bool check = !address.empty();
  if (check && outcome.machine_part == MachinePart::kNotPermitted) {
    const bool listed = outcome.state.listed == true;
    result.lines.push_back(texts::IeModeNeedsAdministrator(address, listed));
    findings.push_back(texts::IeModeNeedsAdministrator(address, listed));
    result.code = MachinePartCode(Verb::kCheck, outcome.machine_part, false);
  } else if (outcome.machine_part == MachinePart::kWriteFailed || outcome.machine_part == MachinePart::kNotPermitted) {
    result.code = kFailed;
    result.errors.push_back(NotWrittenError(outcome.status));
  } else if (!findings.empty()) {
    result.code = kStopped;
  }
  result.json.Raw("ie_mode", IeModeJson(outcome.state)).Raw("findings", JsonTexts(findings));
  return result;
}

VerbResult IeModeRemovalResult(int32_t removed) {
  VerbResult result;
  result.json.Number("result", removed);
  if (removed != status::kSuccess) {
    result.code = kFailed;
    result.errors.push_back(NotWrittenError(removed));
  }
  return result;
}

}  // namespace orvel::cli
