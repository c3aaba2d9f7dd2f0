#include "check/check_site.h"

#include <string>

#include "check/address.h"
#include "check/diagnosis_lines.h"
#include "check/texts.h"
#include "zones/trusted_site.h"
#include "zones/zone_diagnosis.h"
#include "zones/zone_permissions.h"

namespace orvel {
namespace {

bool Fail(CheckView& view, std::string_view text) {
  view.AddProgressLine(text);
  view.ShowMessage(text, MessageStyle::kExclamation);
  return false;
}

}  // namespace

bool CheckSite(CheckView& view, const CheckRegistries& registries, AddressStore& store) {
  Registry& registry = registries.user;
  view.ClearProgress();
  view.AddProgressLine(texts::kCheckingAddress);

  view.SetAddressText(TrimBlanks(view.AddressText()));
  const std::string address = view.AddressText();
  const ParsedAddress parsed = ParseSiteAddress(address);
  const std::string& host = parsed.host;
  const HostKind kind = parsed.kind;
  const Scheme scheme = parsed.scheme();
  if (kind == HostKind::kInvalid) return Fail(view, texts::kAddressInvalid);

  view.AddProgressLine(texts::kAddressChecked);
  view.AddProgressLine(texts::kCheckingTrustedSite);
  if (!IsTrustedSite(registry, host, kind, scheme) && AddTrustedSite(registry, host, kind, scheme) != 0) {
    return Fail(view, texts::kTrustedSiteFailed);
  }

  view.AddProgressLine(texts::kTrustedSiteAdded);
  view.AddProgressLine(texts::kCheckingPermissions);
  if (SetZonePermissions(registry, host) != 0) return Fail(view, texts::kPermissionsFailed);

  if (store.Save(address) != 0) return Fail(view, texts::kSaveFailed);

  view.AddProgressLine(texts::kPermissionsChecked);
  if (!registries.desktop_account.empty()) view.AddProgressLine(DesktopUserLine(registries.desktop_account));
  // Everything was written and saved: the check succeeded even when the
  // browser will not honour it, and says so.
  const std::vector<std::string> findings =
      DiagnosisLines(DiagnoseZoneSettings(registry, registries.machine, host, kind, scheme));
  for (const std::string& line : findings) view.AddProgressLine(line);
  if (findings.empty()) {
    view.ShowMessage(texts::kCheckDone, MessageStyle::kInformation);
  } else {
    view.ShowMessage(texts::kCheckDoneIneffective, MessageStyle::kExclamation);
  }
  return true;
}

}  // namespace orvel
