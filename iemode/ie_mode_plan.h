#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iemode/list_in_force.h"
#include "zones/site.h"

namespace orvel {

// What the check says about Edge's IE mode for the site, in the order shown.
enum class IeModeNote : uint8_t {
  // Information: the box stays as it is.
  kOpensInIeMode,     // IE is retired, Edge is there, the site is (now) listed
  kAddedToList,       // this check added the site to the tool's list
  kSeenAfterAMinute,  // ... to a list that was there, which Edge may hold a copy of
  kPopupsInEdge,      // the pop-up policy allows the site, which a Microsoft-account profile ignores
  // Findings: the settings will not take effect.
  kNoEdge,             // IE is retired and Edge is not there
  kIeFeatureOff,       // Windows 10 with the "Internet Explorer 11" feature turned off
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

// Everything read about Edge's IE mode for one site.
struct IeModeState {
  bool ie_retired = false;
  std::string edge_path = {};   // empty when Edge is not there
  bool ie_feature_off = false;  // Windows 10 without IE's own files, which IE mode runs
  std::optional<uint32_t> integration_level = {};
  ListInForce list = {};
  // None when the list in force cannot be read (never read for the cloud
  // list); false with no list, and for the tool's own list when its file is
  // missing, which reads as an empty list.
  std::optional<bool> listed = {};
  // The version of the tool's own list when it is there and in force or no
  // list is: above 0, Edge may hold a copy of it.
  uint32_t own_list_version = 0;
  // Read after any set-up, for reports: tabs wait for Edge's first download
  // of the site list, and Edge allows the site's pop-ups (none when an
  // organisation's list does not say).
  bool delay_initial_download = false;
  std::optional<bool> popups_allowed = false;
};

// What becomes of the machine's part of IE mode for the site: the tool's list
// and the policy values it sets.
enum class MachinePart : uint8_t {
  kInPlace,       // there already, or not needed
  kSetUpNow,      // written by this run
  kNotPermitted,  // needed, and this run may not write it
  kWriteFailed,   // a write that was possible failed; the outcome's status says why
};

struct IeModePlan {
  // kSetUpNow: set the site up in the tool's own list and the policy values
  // that are absent; when that fails, the notes are {kCannotEnable} instead.
  MachinePart machine_part = MachinePart::kInPlace;
  std::vector<IeModeNote> notes;
  bool operator==(const IeModePlan&) const = default;
};

// Nothing at all where IE is not retired. `may_write`: the machine's part
// may be written (not for a read-only status).
IeModePlan PlanIeMode(const IeModeState& state, const Site& site, bool may_write);

}  // namespace orvel
