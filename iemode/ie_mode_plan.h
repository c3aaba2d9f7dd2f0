#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "iemode/list_in_force.h"

namespace orvel {

// What the check says about Edge's IE mode for the site, in the order shown.
enum class IeModeNote : uint8_t {
  // Information: the box stays as it is.
  kOpensInIeMode,     // IE is retired, Edge is there, the site is (now) listed
  kAddedToList,       // this check added the site to the tool's list
  kSeenAfterAMinute,  // ... to a list that was there, which Edge may hold a copy of
  // Findings: the settings will not take effect.
  kNoEdge,             // IE is retired and Edge is not there
  kTurnedOffByPolicy,  // a policy sets the integration level to anything but IE mode
  kNotInAdminList,     // another list is in force and does not list the site
  kListUnreadable,     // the list in force cannot be read (cloud, http(s), missing or unparsable)
  kCannotEnable,       // the site should be added but the tool cannot
  kLevelNotSet,        // another list or the cloud list is in force and no policy sets the level
  kOldFormatList,      // another list is in force and is of schema v.1
  kWildcardAddress,    // the address is a wildcard, which no site list may hold
};

bool IsFinding(IeModeNote note);

// Whether Edge opens IE mode at this InternetExplorerIntegrationLevel.
bool IsIeModeLevel(uint32_t level);

// What was read about the machine, the user and the site.
struct IeModeFacts {
  bool ie_retired = false;
  bool edge_present = false;
  std::optional<uint32_t> integration_level;
  ListOwner list_owner = ListOwner::kNone;
  // The list in force was read (never true for the cloud list); the tool's
  // own list also when its file is missing, which reads as an empty list.
  bool list_read = false;
  bool listed = false;
  // The check may write the machine's policies (not for a read-only status).
  bool may_write = false;
  // The list in force, read, is of schema v.1.
  bool list_old_format = false;
  // The address is "*.domain": trusted in the zone map, never listed.
  bool wildcard = false;
};

struct IeModePlan {
  // Set the site up in the tool's own list and the policy values that are
  // absent; when that fails, the notes are {kCannotEnable} instead.
  bool set_up = false;
  std::vector<IeModeNote> notes;
  bool operator==(const IeModePlan&) const = default;
};

// Nothing at all where IE is not retired.
IeModePlan PlanIeMode(const IeModeFacts& facts);

}  // namespace orvel
