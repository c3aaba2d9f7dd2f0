#include "cli/site_address.h"

#include "check/address.h"

namespace orvel::cli {

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
      return "invalid";
  }
  return "invalid";
}

}  // namespace orvel::cli
