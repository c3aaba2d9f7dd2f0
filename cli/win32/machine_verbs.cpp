#include "cli/win32/machine_verbs.h"

#include <windows.h>

#include "check/address.h"
#include "cli/ie_mode_report.h"
#include "cli/remove_verb.h"
#include "iemode/ie_mode_setup.h"
#include "win/win32_registry.h"
#include "win/win32_site_list_files.h"

namespace orvel::cli {

VerbResult IeMode(const Options& options, const SiteAddress& address) {
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  if (options.remove || options.remove_all) {
    return IeModeRemovalResult(options.remove_all
                                   ? RemoveIeModeSetUp(machine_writes, site_lists)
                                   : RemoveHostFromIeMode(machine_writes, site_lists, address.site.host));
  }
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry user(HKEY_CURRENT_USER);
  return IeModeResult(RunIeMode({user, machine}, &machine_writes, site_lists, address.site));
}

VerbResult RemoveFromMachine(const Options& options, const SiteAddress& address, VerbResult users) {
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  VerbResult machine = RemoveFromIeModeList(machine_writes, site_lists, options, address, users.code,
                                            Win32Registry::MayWriteMachinePolicies());
  machine.code = Worst(users.code, machine.code);
  machine.json = JsonObject(users.json).Merge(machine.json);
  machine.shown_first.push_back(std::move(users));
  return machine;
}

}  // namespace orvel::cli
