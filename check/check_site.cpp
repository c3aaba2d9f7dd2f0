#include "check/check_site.h"

#include <string>

#include "check/address.h"
#include "check/texts.h"
#include "zones/trusted_site.h"
#include "zones/zone_permissions.h"

namespace orvel {
namespace {

bool Fail(CheckView& view, std::string_view text) {
  view.AddProgressLine(text);
  view.ShowMessage(text, MessageStyle::kExclamation);
  return false;
}

}  // namespace

bool CheckSite(CheckView& view, Registry& registry, AddressStore& store) {
  view.ClearProgress();
  view.AddProgressLine(texts::kCheckingAddress);

  view.SetAddressText(TrimBlanks(view.AddressText()));
  const std::string address = view.AddressText();
  std::string host;
  const HostKind kind = ParseSiteAddress(address, host);
  if (kind == HostKind::kInvalid) return Fail(view, texts::kAddressInvalid);

  view.AddProgressLine(texts::kAddressChecked);
  view.AddProgressLine(texts::kCheckingTrustedSite);
  if (!IsTrustedSite(registry, host, kind) && AddTrustedSite(registry, host, kind) != 0) {
    return Fail(view, texts::kTrustedSiteFailed);
  }

  view.AddProgressLine(texts::kTrustedSiteAdded);
  view.AddProgressLine(texts::kCheckingPermissions);
  if (SetZonePermissions(registry, host) != 0) return Fail(view, texts::kPermissionsFailed);

  if (store.Save(address) != 0) return Fail(view, texts::kSaveFailed);

  view.AddProgressLine(texts::kPermissionsChecked);
  view.ShowMessage(texts::kCheckDone, MessageStyle::kInformation);
  return true;
}

}  // namespace orvel
