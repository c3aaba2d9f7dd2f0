#include "cli/address_report.h"

namespace orvel::cli {
namespace {

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

}  // namespace

JsonObject AddressJson(std::string_view verb, const SiteAddress& address) {
  JsonObject json;
  json.Text("verb", verb)
      .Text("address", address.text)
      .Text("host", address.site.host)
      .Text("kind", KindName(address.site.kind));
  return json;
}

}  // namespace orvel::cli
