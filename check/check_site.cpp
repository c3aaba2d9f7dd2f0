#include "check/check_site.h"

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

}  // namespace

CheckOutcome CheckSite(const CheckRequest& request) {
  const SiteAddress& address = request.address;
  const CheckRegistries& registries = request.registries;
  const Hives& hives = registries.hives;
  Registry& registry = hives.user;
  CheckOutcome outcome;
  outcome.address = address.text;
  const Site& site = address.site;
  if (site.kind == HostKind::kInvalid) return Fail(outcome, CheckStep::kAddress, status::kSuccess);
  outcome.completed.push_back(CheckStep::kAddress);

  if (const int32_t trusted = TrustSite(registry, site); trusted != status::kSuccess) {
    return Fail(outcome, CheckStep::kTrustedSite, trusted);
  }
  outcome.completed.push_back(CheckStep::kTrustedSite);

  if (const int32_t set = SetZonePermissions(registry, site.host); set != status::kSuccess) {
    return Fail(outcome, CheckStep::kPermissions, set);
  }
  outcome.completed.push_back(CheckStep::kPermissions);

  if (request.store != nullptr) {
    if (const int32_t saved = request.store->Save(address.text); saved != status::kSuccess) {
      return Fail(outcome, CheckStep::kSave, saved);
    }
    outcome.completed.push_back(CheckStep::kSave);
  }
  outcome.desktop_account = registries.desktop_account;
  outcome.diagnosis = DiagnoseZoneSettings(hives, site);
  if (registries.site_lists != nullptr) {
    outcome.ie_mode = RunIeMode(hives, registries.machine_writes, *registries.site_lists, site);
  }
  return outcome;
}

}  // namespace orvel
