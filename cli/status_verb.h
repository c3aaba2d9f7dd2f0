#pragma once

#include <cstdint>
#include <optional>

#include "cli/address_report.h"
#include "cli/verb_result.h"
#include "iemode/ie_mode_setup.h"
#include "zones/registry.h"

namespace orvel::cli {

// The zone Internet Explorer's own zone manager gives the address; it can be
// asked for the user this program runs as only.
struct ZoneManagerAnswer {
  bool asked = false;
  std::optional<uint32_t> zone;  // none when asking failed
};

// Read only: the host's entry, the zone's settings and its pop-up value in
// the user's registry, and what in it or the machine's stops them, with what
// was read of Edge's IE mode for the site (without writing). A machine part
// that is missing is a remediation's where this process `may_write_machine`,
// else an administrator's.
VerbResult RunStatus(Registry& user, Registry& machine, const SiteAddress& address,
                     const ZoneManagerAnswer& zone_manager, const IeModeOutcome& ie_mode = {},
                     bool may_write_machine = true);

}  // namespace orvel::cli
