#include "cli/win32/machine_verbs.h"

#include <windows.h>

#include "check/address.h"
#include "cli/ie_mode_report.h"
#include "cli/machine_changes.h"
#include "cli/remove_verb.h"
#include "cli/status_verb.h"
#include "iemode/ie_mode_setup.h"
#include "win/win32_registry.h"
#include "win/win32_site_list_files.h"

namespace orvel::cli {

namespace {

// The machine's part for the site, reading the policies of this process's
// own user beside the machine's, as one user's check does (as SYSTEM, none).
// ie-mode is run to write it; the check writes it only where it may, and
// elsewhere leaves it to an administrator.
VerbResult SetUpMachinePart(const SiteAddress& address, bool for_check) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32Registry user(HKEY_CURRENT_USER);
  Win32SiteListFiles site_lists;
  MachineChanges changes(machine_writes, site_lists);
  Registry* const writes = !for_check || Win32Registry::MayWriteMachinePolicies() ? &changes.writes() : nullptr;
  VerbResult result = IeModeResult(RunIeMode({user, machine}, writes, site_lists, address.site),
                                   for_check ? std::string_view(address.text) : std::string_view());
  result.machine_changed = changes.Changed();
  return result;
}

}  // namespace

VerbResult IeMode(const Options& options, const SiteAddress& address) {
  if (!options.remove && !options.remove_all) return SetUpMachinePart(address, /*for_check=*/false);
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  MachineChanges changes(machine_writes, site_lists);
  VerbResult result =
      IeModeRemovalResult(options.remove_all ? RemoveIeModeSetUp(changes.writes(), site_lists)
                                             : RemoveHostFromIeMode(changes.writes(), site_lists, address.site.host));
  result.machine_changed = changes.Changed();
  return result;
}

VerbResult CheckMachinePart(const SiteAddress& address) { return SetUpMachinePart(address, /*for_check=*/true); }

VerbResult MachineStatus(const SiteAddress& address) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry user(HKEY_CURRENT_USER);
  Win32SiteListFiles site_lists;
  return MachineStatusResult(RunIeMode({user, machine}, nullptr, site_lists, address.site), address.text,
                             Win32Registry::MayWriteMachinePolicies());
}

VerbResult RemoveFromMachine(const Options& options, const SiteAddress& address, VerbResult users) {
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  MachineChanges changes(machine_writes, site_lists);
  VerbResult machine = RemoveFromIeModeList(changes.writes(), site_lists, options, address, users.code,
                                            Win32Registry::MayWriteMachinePolicies());
  machine.machine_changed = changes.Changed();
  return AfterUsers(std::move(users), std::move(machine));
}

}  // namespace orvel::cli
