#include "cli/status_verb.h"

#include <string>
#include <vector>

#include "check/check_presenter.h"
#include "cli/cli_texts.h"
#include "cli/ie_mode_report.h"
#include "cli/machine_part.h"
#include "zones/zone_keys.h"
#include "zones/zone_record.h"

namespace orvel::cli {
namespace {

// What status tells of the machine's part of IE mode.
struct IeModeReading {
  std::vector<std::string> lines;  // before the findings
  std::vector<std::string> findings;
  bool missing = false;
  bool stopped = false;  // by a finding of IE mode's own
  ExitCode code = kDone;
};

// Read only, a site IE mode should have but lacks is one the check adds where
// it may write the machine's part, else one an administrator must.
IeModeReading ReadIeMode(const IeModeOutcome& ie_mode, std::string_view address, bool may_write) {
  IeModeReading reading;
  reading.missing = ie_mode.machine_part == MachinePart::kNotPermitted;
  for (const IeModeNote note : ie_mode.notes) {
    if (note != IeModeNote::kCannotEnable && IsFinding(note)) reading.findings.emplace_back(IeModeLine(note));
  }
  reading.stopped = !reading.findings.empty();
  const bool listed = ie_mode.state.listed == true;
  if (reading.missing && may_write) reading.lines.push_back(texts::IeModeNotSetUp(listed));
  if (reading.missing && !may_write) reading.findings.push_back(texts::IeModeNeedsAdministrator(address, listed));
  reading.code = Worst(
      reading.stopped ? kStopped : kDone,
      MachinePartCode(Verb::kStatus, reading.missing ? MachinePart::kNotPermitted : MachinePart::kInPlace, may_write));
  return reading;
}

std::string_view InPlaceLine(bool in_place, bool missing) {
  return in_place ? texts::kInPlace : missing ? texts::kNotInPlace : texts::kInPlaceButStopped;
}

}  // namespace

StatusReport ReadStatus(const Hives& hives, const SiteAddress& address, const ZoneManagerAnswer& zone_manager,
                        const IeModeOutcome& ie_mode, bool may_write_machine) {
  return {.address = address.text,
          .scheme = address.site.scheme,
          .site = ReadSiteStatus(hives.user, address.site),
          .diagnosis = DiagnoseZoneSettings(hives, address.site),
          .zone_manager = zone_manager,
          .ie_mode = ie_mode,
          .may_write_machine = may_write_machine,
          .zone_record = HasZoneRecord(hives.user)};
}

VerbResult StatusResult(const StatusReport& report) {
  const SiteStatus& site = report.site;
  VerbResult result;
  result.lines.emplace_back(site.trusted ? texts::kTrusted : texts::kNotTrusted);
  std::vector<std::string> settings;
  for (const SettingState& setting : site.settings) {
    result.lines.push_back(texts::SettingLine(setting.action, setting.actual, setting.expected));
    settings.push_back(JsonObject()
                           .Text("action", zone_keys::ActionValueName(setting.action))
                           .Number("expected", setting.expected)
                           .NumberOrNull("actual", setting.actual)
                           .Json());
  }
  result.lines.emplace_back(site.popups_allowed ? texts::kPopupsAllowed : texts::kPopupsNotAllowed);
  if (report.zone_record) result.lines.emplace_back(texts::kZoneRecordKept);
  const ZoneManagerAnswer& zone_manager = report.zone_manager;
  if (!zone_manager.asked) {
    result.lines.emplace_back(texts::kZoneManagerOtherUser);
  } else if (zone_manager.zone) {
    result.lines.push_back(texts::Sentence(texts::kZoneManager, std::to_string(*zone_manager.zone)));
  } else {
    result.lines.emplace_back(texts::kZoneManagerUnknown);
  }
  std::vector<std::string> findings = FindingLines(report.diagnosis);
  const bool stopped = !findings.empty();
  IeModeReading ie_mode = ReadIeMode(report.ie_mode, report.address, report.may_write_machine);
  result.lines.insert(result.lines.end(), ie_mode.lines.begin(), ie_mode.lines.end());
  findings.insert(findings.end(), ie_mode.findings.begin(), ie_mode.findings.end());
  result.lines.insert(result.lines.end(), findings.begin(), findings.end());
  const bool in_place = site.InPlace() && !ie_mode.missing && !stopped && !ie_mode.stopped;
  const ExitCode user_part = !site.InPlace() ? kMissing : stopped ? kStopped : kDone;
  result.code = Worst(user_part, ie_mode.code);
  result.lines.emplace_back(InPlaceLine(in_place, !site.InPlace() || ie_mode.missing));
  result.json.Text("scheme", SchemeName(report.scheme))
      .Bool("trusted", site.trusted)
      .Raw("registry_zone", site.trusted ? std::to_string(zone_keys::kTrustedZone) : "null")
      .NumberOrNull("zone_manager_zone", zone_manager.asked ? zone_manager.zone : std::nullopt)
      .Raw("settings", JsonArray(settings))
      .Bool("popups_allowed", site.popups_allowed)
      .Raw("findings", JsonTexts(findings))
      .Bool("in_place", in_place);
  result.json.Bool("zone_record", report.zone_record);
  result.ie_mode = IeModeJson(report.ie_mode.state);
  return result;
}

VerbResult MachineStatusResult(const IeModeOutcome& outcome, std::string_view address, bool may_write) {
  VerbResult result;
  if (!outcome.state.ie_retired) result.lines.emplace_back(texts::kIeNotRetired);
  const IeModeReading ie_mode = ReadIeMode(outcome, address, may_write);
  result.lines.insert(result.lines.end(), ie_mode.lines.begin(), ie_mode.lines.end());
  result.lines.insert(result.lines.end(), ie_mode.findings.begin(), ie_mode.findings.end());
  const bool in_place = !ie_mode.missing && !ie_mode.stopped;
  result.lines.emplace_back(InPlaceLine(in_place, ie_mode.missing));
  result.code = ie_mode.code;
  result.json.Raw("ie_mode", IeModeJson(outcome.state))
      .Raw("findings", JsonTexts(ie_mode.findings))
      .Bool("in_place", in_place);
  return result;
}

}  // namespace orvel::cli
