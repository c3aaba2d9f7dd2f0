#include "cli/verbs.h"

#include <algorithm>
#include <array>

#include "check/address.h"
#include "check/check_site.h"
#include "check/diagnosis_lines.h"
#include "check/login_site.h"
#include "check/texts.h"
#include "cli/cli_texts.h"
#include "zones/remove_site.h"
#include "zones/site_status.h"
#include "zones/zone_diagnosis.h"
#include "zones/zone_keys.h"

namespace orvel::cli {
namespace {

// The check's view: its lines and its closing box, kept for printing.
class LineView final : public CheckView {
 public:
  explicit LineView(std::string_view address) : address_(address) {}

  std::string AddressText() override { return address_; }
  void SetAddressText(std::string_view text) override { address_ = std::string(text); }
  void ClearProgress() override { lines.clear(); }
  void AddProgressLine(std::string_view line) override { lines.emplace_back(line); }
  void ShowMessage(std::string_view text, MessageStyle style) override {
    messages.push_back({std::string(text), style});
  }

  struct Message {
    std::string text;
    MessageStyle style;
  };
  std::vector<std::string> lines;
  std::vector<Message> messages;

 private:
  std::string address_;
};

struct CheckStep {
  std::string_view line;
  std::string_view step;  // empty: a line that only says what comes next
  bool ok;
};

// The check's own lines and the steps they report; any other line is a
// finding that stops the settings from taking effect.
constexpr std::array<CheckStep, 11> kCheckSteps = {{
    {orvel::texts::kCheckingAddress, {}, true},
    {orvel::texts::kAddressChecked, "address", true},
    {orvel::texts::kAddressInvalid, "address", false},
    {orvel::texts::kCheckingTrustedSite, {}, true},
    {orvel::texts::kTrustedSiteAdded, "trusted-site", true},
    {orvel::texts::kTrustedSiteFailed, "trusted-site", false},
    {orvel::texts::kCheckingPermissions, {}, true},
    {orvel::texts::kPermissionsChecked, "permissions", true},
    {orvel::texts::kPermissionsFailed, "permissions", false},
    {orvel::texts::kSaveFailed, "permissions", true},
    {orvel::texts::kSaveFailed, "save", false},
}};

std::string Step(std::string_view name, bool ok) { return JsonObject().Text("step", name).Bool("ok", ok).Json(); }

// A done check whose box warns has findings; a failed one is a bad address
// or a failed operation.
ExitCode CheckCode(bool done, const LineView& view) {
  const bool warned = std::ranges::any_of(
      view.messages, [](const LineView::Message& message) { return message.style == MessageStyle::kExclamation; });
  if (done) return warned ? kFound : kDone;
  const bool invalid = !view.messages.empty() && view.messages.front().text == orvel::texts::kAddressInvalid;
  return invalid ? kInvalidAddress : kFailed;
}

std::string Decimal(std::optional<uint32_t> number) {
  return number ? std::to_string(*number) : std::string(texts::kSettingMissing);
}

std::string NumberOrNull(std::optional<uint32_t> number) { return number ? std::to_string(*number) : "null"; }

}  // namespace

SiteAddress ReadSiteAddress(std::string_view typed) {
  SiteAddress address;
  address.text = TrimBlanks(typed);
  static_cast<ParsedAddress&>(address) = ParseSiteAddress(address.text);
  return address;
}

std::string_view KindName(HostKind kind) {
  switch (kind) {
    case HostKind::kDomain:
      return "domain";
    case HostKind::kNumeric:
      return "numeric";
    case HostKind::kInvalid:
      break;
  }
  return "invalid";
}

VerbResult RunCheck(const CheckRegistries& registries, AddressStore& store, bool saving, std::string_view address,
                    const Login* login) {
  LineView view(address);
  const bool done = login != nullptr ? LoginSite(view, registries, store, login->launcher, login->folders)
                                     : CheckSite(view, registries, store);
  VerbResult result;
  result.code = CheckCode(done, view);
  result.lines = view.lines;
  // A failure's box repeats its line; the others say more.
  std::vector<std::string> messages;
  for (const LineView::Message& message : view.messages) {
    if (result.lines.empty() || result.lines.back() != message.text) result.lines.push_back(message.text);
    messages.push_back(message.text);
  }

  std::vector<std::string> steps;
  std::vector<std::string> findings;
  for (const std::string& line : view.lines) {
    bool known = false;
    for (const CheckStep& step : kCheckSteps) {
      if (step.line != line) continue;
      known = true;
      if (!step.step.empty()) steps.push_back(Step(step.step, step.ok));
    }
    if (!known) findings.push_back(line);
  }
  const bool checked = std::ranges::find(view.lines, orvel::texts::kPermissionsChecked) != view.lines.end();
  if (checked && saving) steps.push_back(Step("save", true));
  if (checked && login != nullptr) steps.push_back(Step("browser", done));
  result.json.Raw("steps", JsonArray(steps))
      .Raw("lines", JsonTexts(view.lines))
      .Raw("messages", JsonTexts(messages))
      .Raw("findings", JsonTexts(findings))
      .Bool("saved", checked && saving);
  return result;
}

VerbResult RunStatus(Registry& user, Registry& machine, const SiteAddress& address,
                     const ZoneManagerAnswer& zone_manager) {
  const SiteStatus site = ReadSiteStatus(user, address.host, address.kind, address.scheme());
  VerbResult result;
  result.lines.emplace_back(site.trusted ? texts::kTrusted : texts::kNotTrusted);
  std::vector<std::string> settings;
  for (const SettingState& setting : site.settings) {
    result.lines.push_back(std::string(texts::kSetting)
                               .append(setting.action)
                               .append("：")
                               .append(Decimal(setting.actual))
                               .append(texts::kSettingWanted)
                               .append(std::to_string(setting.expected))
                               .append("）。"));
    settings.push_back(JsonObject()
                           .Text("action", setting.action)
                           .Number("expected", setting.expected)
                           .Raw("actual", NumberOrNull(setting.actual))
                           .Json());
  }
  result.lines.emplace_back(site.popups_allowed ? texts::kPopupsAllowed : texts::kPopupsNotAllowed);
  if (!zone_manager.asked) {
    result.lines.emplace_back(texts::kZoneManagerOtherUser);
  } else if (zone_manager.zone) {
    result.lines.push_back(std::string(texts::kZoneManager).append(std::to_string(*zone_manager.zone)).append("。"));
  } else {
    result.lines.emplace_back(texts::kZoneManagerUnknown);
  }
  const std::vector<std::string> findings =
      DiagnosisLines(DiagnoseZoneSettings(user, machine, address.host, address.kind, address.scheme()));
  result.lines.insert(result.lines.end(), findings.begin(), findings.end());
  const bool in_place = site.InPlace() && findings.empty();
  result.lines.emplace_back(in_place ? texts::kInPlace : texts::kNotInPlace);
  result.code = in_place ? kDone : kFound;
  result.json.Text("scheme", SchemeName(address.scheme()))
      .Bool("trusted", site.trusted)
      .Raw("registry_zone", site.trusted ? std::to_string(zone_keys::kTrustedZone) : "null")
      .Raw("zone_manager_zone", zone_manager.asked ? NumberOrNull(zone_manager.zone) : "null")
      .Raw("settings", JsonArray(settings))
      .Bool("popups_allowed", site.popups_allowed)
      .Raw("findings", JsonTexts(findings))
      .Bool("in_place", in_place);
  return result;
}

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
