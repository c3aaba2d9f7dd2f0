#include "check/check_site.h"

#include "check/address.h"
#include "check/check_presenter.h"
#include "zones/trusted_site.h"
#include "zones/zone_diagnosis.h"
#include "zones/zone_permissions.h"

namespace orvel {
namespace {

CheckOutcome& Fail(CheckOutcome& outcome, CheckStep step, int32_t status) {
  outcome.failed = step;
  outcome.failed_status = status;
  return outcome;
}

CheckOutcome RunSteps(std::string_view typed, const CheckRegistries& registries, AddressStore* store) {
  Registry& registry = registries.user;
  CheckOutcome outcome;
  outcome.address = TrimBlanks(typed);
  const ParsedAddress parsed = ParseSiteAddress(outcome.address);
  outcome.host = parsed.host;
  outcome.kind = parsed.kind;
  outcome.scheme = parsed.scheme();
  if (outcome.kind == HostKind::kInvalid) return Fail(outcome, CheckStep::kAddress, status::kSuccess);
  outcome.completed.push_back(CheckStep::kAddress);

  if (!IsTrustedSite(registry, outcome.host, outcome.kind, outcome.scheme)) {
    if (const int32_t added = AddTrustedSite(registry, outcome.host, outcome.kind, outcome.scheme);
        added != status::kSuccess) {
      return Fail(outcome, CheckStep::kTrustedSite, added);
    }
  }
  outcome.completed.push_back(CheckStep::kTrustedSite);

  if (const int32_t set = SetZonePermissions(registry, outcome.host); set != status::kSuccess) {
    return Fail(outcome, CheckStep::kPermissions, set);
  }
  outcome.completed.push_back(CheckStep::kPermissions);

  if (store != nullptr) {
    if (const int32_t saved = store->Save(outcome.address); saved != status::kSuccess) {
      return Fail(outcome, CheckStep::kSave, saved);
    }
    outcome.completed.push_back(CheckStep::kSave);
  }
  outcome.desktop_account = registries.desktop_account;
  outcome.findings =
      Findings(DiagnoseZoneSettings(registry, registries.machine, outcome.host, outcome.kind, outcome.scheme));
  if (registries.site_lists != nullptr) {
    outcome.ie_mode = RunIeMode(registries.machine, registry, registries.machine_writes, *registries.site_lists,
                                IeModeSite(parsed));
  }
  return outcome;
}

}  // namespace

CheckOutcome CheckSite(CheckView& view, const CheckRegistries& registries, AddressStore* store) {
  CheckOutcome outcome = RunSteps(view.AddressText(), registries, store);
  ShowCheck(view, outcome);
  return outcome;
}

}  // namespace orvel
