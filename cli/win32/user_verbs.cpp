#include "cli/win32/user_verbs.h"

#include <optional>

#include "check/address.h"
#include "check/check_site.h"
#include "check/login_site.h"
#include "cli/check_verb.h"
#include "cli/machine_changes.h"
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
#include "zones/change_recording_registry.h"

namespace orvel::cli {

// With --all-users the machine's part is done once, after every user's, so
// the verbs for one user leave it out then.
VerbResult CheckForUser(const Options& options, const SiteAddress& address, Registry& user, bool) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  const bool ie_mode = !options.all_users;
  std::optional<MachineChanges> machine_changes;
  if (ie_mode) machine_changes.emplace(machine_writes, site_lists);
  ChangeRecordingRegistry user_writes(user);
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  const std::string saved_before = options.save ? file.Load() : std::string();
  // Where it may not write the machine's part, the check does not try: it
  // reports it for an administrator.
  Registry* const writes =
      machine_changes && Win32Registry::MayWriteMachinePolicies() ? &machine_changes->writes() : nullptr;
  CheckOutcome outcome = CheckSite({
      .address = address,
      .registries = {.hives = {user_writes, machine},
                     .site_lists = ie_mode ? &site_lists : nullptr,
                     .machine_writes = writes},
      .store = options.save ? &file : nullptr,
  });
  if (options.login) {
    ShellLauncher launcher(nullptr);
    StartBrowser(outcome, launcher, ProgramFilesFromEnvironment());
  }
  VerbResult result = CheckResult(outcome);
  result.changed = user_writes.changed() || (outcome.Saved() && saved_before != outcome.address);
  if (machine_changes) result.machine_changed = machine_changes->Changed();
  return result;
}

VerbResult StatusForUser(const Options& options, const SiteAddress& address, Registry& user, bool own_hive) {
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32SiteListFiles site_lists;
  const std::string url = std::string(SchemePrefix(address.site.scheme)).append(address.site.host).append("/");
  const Hives hives{user, machine};
  return StatusResult(
      ReadStatus(hives, address, {.asked = own_hive, .zone = own_hive ? UrlZone(url) : std::nullopt},
                 options.all_users ? IeModeOutcome{} : RunIeMode(hives, nullptr, site_lists, address.site),
                 Win32Registry::MayWriteMachinePolicies()));
}

VerbResult RemoveForUser(const Options&, const SiteAddress& address, Registry& user, bool) {
  ChangeRecordingRegistry user_writes(user);
  VerbResult result = RunRemove(user_writes, address);
  result.changed = user_writes.changed();
  return result;
}

}  // namespace orvel::cli
