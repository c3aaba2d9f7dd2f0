#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iemode/ie_mode_plan.h"
#include "iemode/site_list_files.h"
#include "zones/hives.h"
#include "zones/site.h"

namespace orvel {

struct IeModeOutcome {
  IeModeState state;
  std::vector<IeModeNote> notes;
  MachinePart machine_part = MachinePart::kInPlace;
  // The Win32 status of a set-up that failed (its note is kCannotEnable).
  int32_t status = 0;
};

// Reads the state, plans, and where the plan says so and `machine_writes`
// is given, adds the site to the tool's own list and sets the absent policy
// values, recording them. The hives are only read; without `machine_writes`
// nothing is written and a site that should be set up is reported as
// kCannotEnable.
IeModeOutcome RunIeMode(const Hives& hives, Registry* machine_writes, SiteListFiles& files, const Site& site);

// When a set-up last changed the machine's part (FILETIME ticks): the time
// the record keeps, or for a record written before it kept one, the list
// file's; none when nothing is set up.
std::optional<uint64_t> SetUpChangedAt(Registry& machine, SiteListFiles& files);

// Takes the host out of the tool's own list; when the list is left empty,
// deletes it and the values the tool recorded. 0 when there was nothing to do.
int32_t RemoveHostFromIeMode(Registry& machine_writes, SiteListFiles& files, std::string_view host);

// Deletes the tool's own list and the policy values it recorded, if they
// still hold what it set, and the record.
int32_t RemoveIeModeSetUp(Registry& machine_writes, SiteListFiles& files);

}  // namespace orvel
