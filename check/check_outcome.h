#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iemode/ie_mode_setup.h"
#include "zones/zone_diagnosis.h"

namespace orvel {

// The check's steps, in the order it takes them.
enum class CheckStep { kAddress, kTrustedSite, kPermissions, kSave };

// What one check (and, for Login, the browser's start) did.
struct CheckOutcome {
  // The address as checked: trimmed.
  std::string address;
  // The steps that succeeded, in order; the save only when there was a store.
  std::vector<CheckStep> completed;
  // The step that failed, if one did, and its Win32 status (0 for an invalid
  // address); no later step ran.
  std::optional<CheckStep> failed;
  int32_t failed_status = 0;
  // DOMAIN\name when the settings went to the desktop user's hive.
  std::string desktop_account;
  // What stops the settings written from taking effect.
  ZoneDiagnosis diagnosis;
  // Edge's IE mode for the site; no notes where Internet Explorer still runs.
  IeModeOutcome ie_mode;
  // Login only, once the check succeeded: whether the browser started.
  std::optional<bool> browser_started;

  // Every step the check took succeeded, whether or not the settings will
  // take effect.
  bool Succeeded() const { return !failed.has_value(); }
  bool Saved() const { return std::ranges::find(completed, CheckStep::kSave) != completed.end(); }
  // Something the diagnosis or IE mode found stops the settings from taking
  // effect.
  bool Stopped() const { return diagnosis.Any() || std::ranges::any_of(ie_mode.notes, IsFinding); }
};

}  // namespace orvel
