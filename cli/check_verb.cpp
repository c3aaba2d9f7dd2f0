#include "cli/check_verb.h"

#include <string>
#include <utility>
#include <vector>

#include "check/check_presenter.h"
#include "cli/cli_texts.h"
#include "cli/ie_mode_report.h"
#include "cli/machine_part.h"

namespace orvel::cli {
namespace {

std::string_view StepName(CheckStep step) {
  switch (step) {
    case CheckStep::kAddress:
      return "address";
    case CheckStep::kTrustedSite:
      return "trusted-site";
    case CheckStep::kPermissions:
      return "permissions";
    case CheckStep::kSave:
      return "save";
  }
  return {};
}

std::string Step(std::string_view name, bool ok) { return JsonObject().Text("step", name).Bool("ok", ok).Json(); }

ExitCode CheckCode(const CheckOutcome& outcome) {
  if (outcome.failed) return outcome.failed == CheckStep::kAddress ? kInvalidAddress : kFailed;
  if (outcome.browser_started == false) return kFailed;
  const ExitCode machine_part = MachinePartCode(Verb::kCheck, outcome.ie_mode.machine_part, false);
  return Worst(outcome.Stopped() ? kStopped : kDone, machine_part);
}

}  // namespace

VerbResult CheckResult(const CheckOutcome& outcome) {
  VerbResult result;
  result.code = CheckCode(outcome);
  const MachinePart machine_part = outcome.ie_mode.machine_part;
  if (machine_part == MachinePart::kWriteFailed) result.errors.push_back(NotWrittenError(outcome.ie_mode.status));
  std::vector<std::string> lines = CheckLines(outcome);
  if (machine_part == MachinePart::kNotPermitted)
    lines.push_back(texts::IeModeNeedsAdministrator(outcome.address, outcome.ie_mode.state.listed == true));
  result.lines = lines;
  std::vector<std::string> messages{std::string(CheckBox(outcome).text)};
  if (outcome.browser_started == false) messages.emplace_back(BrowserFailedBox().text);
  // A failure's box repeats its line; the others say more.
  for (const std::string& message : messages) {
    if (result.lines.empty() || result.lines.back() != message) result.lines.push_back(message);
  }

  std::vector<std::string> findings = FindingLines(outcome.diagnosis);
  for (std::string& line : IeModeFindingLines(outcome.ie_mode.notes)) findings.push_back(std::move(line));
  if (machine_part == MachinePart::kNotPermitted)
    findings.push_back(texts::IeModeNeedsAdministrator(outcome.address, outcome.ie_mode.state.listed == true));
  std::vector<std::string> steps;
  for (const CheckStep step : outcome.completed) steps.push_back(Step(StepName(step), true));
  if (outcome.failed) steps.push_back(Step(StepName(*outcome.failed), false));
  if (outcome.browser_started) steps.push_back(Step("browser", *outcome.browser_started));
  result.json.Raw("steps", JsonArray(steps))
      .Raw("lines", JsonTexts(lines))
      .Raw("messages", JsonTexts(messages))
      .Raw("findings", JsonTexts(findings))
      .Bool("saved", outcome.Saved());
  result.ie_mode = IeModeJson(outcome.ie_mode.state);
  return result;
}

}  // namespace orvel::cli
