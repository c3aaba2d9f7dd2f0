#pragma once

#include <string>

#include "zones/hives.h"

namespace orvel {

// What decides whether Internet Explorer still opens as a browser of its own.
struct WindowsFacts {
  std::string build_number;       // CurrentBuildNumber, e.g. "22631"
  std::string edition_id;         // EditionID, e.g. "Professional"
  std::string installation_type;  // InstallationType, e.g. "Client"
  bool ie_app_disabled = false;   // DisableInternetExplorerApp = 1, machine or user policy
  // Windows 10 retires IE through Edge, which sends IE's pages to itself:
  // without Edge, IE is certainly retired only where Windows 11 or the
  // policy has it so.
  bool has_edge = true;
};

// Retired on Windows 11, on Windows 10 with Edge but its long-term editions
// and Windows Server, and wherever a policy disables the IE app.
bool IsIeRetired(const WindowsFacts& facts);

// Windows 10, where the "Internet Explorer 11" feature may be turned off.
bool IsWindows10(const WindowsFacts& facts);

// Reads the facts from the machine's registry and the policy also from the
// user's; a value that cannot be read counts as absent.
WindowsFacts ReadWindowsFacts(const Hives& hives);

}  // namespace orvel
