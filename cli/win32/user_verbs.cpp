#include "cli/win32/user_verbs.h"

#include "check/address.h"
#include "check/check_site.h"
#include "check/login_site.h"
#include "cli/check_verb.h"
#include "cli/remove_verb.h"
#include "cli/status_verb.h"
#include "iemode/ie_mode_setup.h"
#include "win/environment.h"
#include "win/saved_address_file.h"
#include "win/shell_launcher.h"
#include "win/url_zone.h"
#include "win/win32_ansi_codec.h"
#include "win/win32_registry.h"
#include "win/win32_site_list_files.h"

namespace orvel::cli {

VerbResult CheckForUser(const Options& options, const SiteAddress& address, Registry& user, bool) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  // Where it may not write the machine's part, the check does not try: it
  // reports it for an administrator.
  Registry* const writes = Win32Registry::MayWriteMachinePolicies() ? &machine_writes : nullptr;
  CheckOutcome outcome = CheckSite({
      .address = address,
      .registries = {.hives = {user, machine}, .site_lists = &site_lists, .machine_writes = writes},
      .store = options.save ? &file : nullptr,
  });
  if (options.login) {
    ShellLauncher launcher(nullptr);
    StartBrowser(outcome, launcher, ProgramFilesFromEnvironment());
  }
  return CheckResult(outcome);
}

VerbResult StatusForUser(const Options&, const SiteAddress& address, Registry& user, bool own_hive) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32SiteListFiles site_lists;
  const std::string url = std::string(SchemePrefix(address.site.scheme)).append(address.site.host).append("/");
  const Hives hives{user, machine};
  return StatusResult(ReadStatus(hives, address, {.asked = own_hive, .zone = own_hive ? UrlZone(url) : std::nullopt},
                                 RunIeMode(hives, nullptr, site_lists, address.site),
                                 Win32Registry::MayWriteMachinePolicies()));
}

VerbResult RemoveForUser(const Options&, const SiteAddress& address, Registry& user, bool) {
  return RunRemove(user, address);
}

}  // namespace orvel::cli
