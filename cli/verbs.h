#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/address.h"
#include "check/browser_launcher.h"
#include "check/check_site.h"
#include "check/saved_address.h"
#include "cli/exit_codes.h"
#include "cli/json.h"
#include "zones/host_name.h"
#include "zones/registry.h"

namespace orvel::cli {

// The address as the check reads it: trimmed, then parsed.
struct SiteAddress : ParsedAddress {
  std::string text;
};

SiteAddress ReadSiteAddress(std::string_view typed);

std::string_view KindName(HostKind kind);

// What one verb did for one user.
struct VerbResult {
  ExitCode code = kDone;
  std::vector<std::string> lines;   // for standard output, in order
  std::vector<std::string> errors;  // for standard error
  JsonObject json;                  // the same facts, for --json
};

// What Login needs beyond the check.
struct Login {
  BrowserLauncher& launcher;
  ProgramFilesFolders folders;
};

// The window's Check, or with `login` its Login: lines instead of a list and
// boxes. `saving` tells whether the store keeps the address.
VerbResult RunCheck(const CheckRegistries& registries, AddressStore& store, bool saving, std::string_view address,
                    const Login* login = nullptr);

// The zone Internet Explorer's own zone manager gives the address; it can be
// asked for the user this program runs as only.
struct ZoneManagerAnswer {
  bool asked = false;
  std::optional<uint32_t> zone;  // none when asking failed
};

// Read only: the host's entry, the zone's settings and its pop-up value in
// the user's registry, and what in it or the machine's stops them.
VerbResult RunStatus(Registry& user, Registry& machine, const SiteAddress& address,
                     const ZoneManagerAnswer& zone_manager);

// Takes the host's entries away; the zone's shared settings stay.
VerbResult RunRemove(Registry& registry, const SiteAddress& address);

}  // namespace orvel::cli
