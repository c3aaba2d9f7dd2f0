#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iemode/ie_mode_plan.h"
#include "iemode/list_in_force.h"
#include "iemode/site_list_files.h"
#include "zones/registry.h"

namespace orvel {

// Everything read about Edge's IE mode for one site, for reports.
struct IeModeState {
  bool ie_retired = false;
  std::string edge_path;  // empty when Edge is not there
  std::optional<uint32_t> integration_level;
  // Tabs wait for Edge's first download of the site list.
  bool delay_initial_download = false;
  // Edge allows the site's pop-ups; none when an organisation's list does not say.
  std::optional<bool> popups_allowed = false;
  ListInForce list;
  std::optional<bool> listed;  // none when it cannot be told
};

struct IeModeOutcome {
  IeModeState state;
  std::vector<IeModeNote> notes;
  // The Win32 status of a set-up that failed (its note is kCannotEnable).
  int32_t status = 0;

  // The site should be set up and the machine's part was not written.
  bool NotWritten() const;
};

// Reads the state, decides, and where the plan says so and `machine_writes`
// is given, adds the site to the tool's own list and sets the absent policy
// values, recording them. `machine` and `user` are only read; without
// `machine_writes` nothing is written and a site that should be set up is
// reported as kCannotEnable.
IeModeOutcome RunIeMode(Registry& machine, Registry& user, Registry* machine_writes, SiteListFiles& files,
                        const SiteTarget& site);

// Takes the host out of the tool's own list; when the list is left empty,
// deletes it and the values the tool recorded. 0 when there was nothing to do.
int32_t RemoveHostFromIeMode(Registry& machine_writes, SiteListFiles& files, std::string_view host);

// Deletes the tool's own list and the policy values it recorded, if they
// still hold what it set, and the record.
int32_t RemoveIeModeSetUp(Registry& machine_writes, SiteListFiles& files);

}  // namespace orvel
