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
  // Read only, a site IE mode should have but lacks is one the check adds
  // where it may write the machine's part, else one an administrator must.
  const bool ie_mode_missing = report.ie_mode.machine_part == MachinePart::kNotPermitted;
  for (const IeModeNote note : report.ie_mode.notes) {
    if (note != IeModeNote::kCannotEnable && IsFinding(note)) findings.emplace_back(IeModeLine(note));
  }
  const bool stopped = !findings.empty();
  const bool listed = report.ie_mode.state.listed == true;
  if (ie_mode_missing && report.may_write_machine) result.lines.push_back(texts::IeModeNotSetUp(listed));
  if (ie_mode_missing && !report.may_write_machine) {
    findings.push_back(texts::IeModeNeedsAdministrator(report.address, listed));
  }
  result.lines.insert(result.lines.end(), findings.begin(), findings.end());
  const bool in_place = site.InPlace() && !ie_mode_missing && !stopped;
  const ExitCode user_part = !site.InPlace() ? kMissing : stopped ? kStopped : kDone;
  result.code = Worst(
      user_part, MachinePartCode(Verb::kStatus, ie_mode_missing ? MachinePart::kNotPermitted : MachinePart::kInPlace,
                                 report.may_write_machine));
  result.lines.emplace_back(in_place                             ? texts::kInPlace
                            : !site.InPlace() || ie_mode_missing ? texts::kNotInPlace
                                                                 : texts::kInPlaceButStopped);
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

}  // namespace orvel::cli
