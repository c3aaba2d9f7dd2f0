#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/address_report.h"
#include "cli/verb_result.h"
#include "iemode/ie_mode_setup.h"
#include "zones/hives.h"
#include "zones/site_status.h"
#include "zones/zone_diagnosis.h"

namespace orvel::cli {

// The zone Internet Explorer's own zone manager gives the address; it can be
// asked for the user this program runs as only.
struct ZoneManagerAnswer {
  bool asked = false;
  std::optional<uint32_t> zone;  // none when asking failed
};

// What status read for one user.
struct StatusReport {
  std::string address;  // as typed, for the line that sends it to an administrator
  Scheme scheme = Scheme::kHttp;
  SiteStatus site;
  ZoneDiagnosis diagnosis;
  ZoneManagerAnswer zone_manager;
  IeModeOutcome ie_mode;  // read without writing
  // A machine part that is missing is a remediation's where this process may
  // write it, else an administrator's.
  bool may_write_machine = true;
  bool zone_record = false;  // what the zone's settings were is recorded, to go back when the last site leaves
};

// Read only: the host's entry, the zone's settings and its pop-up value in
// the user's registry, and what in it or the machine's stops them, beside
// what the zone manager answered and what was read of Edge's IE mode.
StatusReport ReadStatus(const Hives& hives, const SiteAddress& address, const ZoneManagerAnswer& zone_manager = {},
                        const IeModeOutcome& ie_mode = {}, bool may_write_machine = true);

// The report's lines, JSON and exit code.
VerbResult StatusResult(const StatusReport& report);

// status --machine, and status --all-users after every user's: the
// machine's part of IE mode alone, read without writing; exit code 1 where
// it is missing and this process `may_write` it, 5 where it may not.
VerbResult MachineStatusResult(const IeModeOutcome& outcome, std::string_view address, bool may_write);

}  // namespace orvel::cli
