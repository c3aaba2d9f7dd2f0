#include "cli/user_verbs.h"

#include "check/address.h"
#include "cli/check_verb.h"
#include "cli/remove_verb.h"
#include "cli/status_verb.h"
#include "win/environment.h"
#include "win/saved_address_file.h"
#include "win/shell_launcher.h"
#include "win/url_zone.h"
#include "win/win32_ansi_codec.h"
#include "win/win32_registry.h"

namespace orvel::cli {

VerbResult CheckForUser(const Options& options, const SiteAddress&, Registry& user, bool) {
  Win32Registry machine = Win32Registry::MachineSettings();
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  ShellLauncher launcher(nullptr);
  const Login login{launcher, ProgramFilesFromEnvironment()};
  return RunCheck({user, machine, {}}, options.save ? &file : nullptr, options.address,
                  options.login ? &login : nullptr);
}

VerbResult StatusForUser(const Options&, const SiteAddress& address, Registry& user, bool own_hive) {
  Win32Registry machine = Win32Registry::MachineSettings();
  ZoneManagerAnswer zone_manager;
  zone_manager.asked = own_hive;
  if (own_hive) {
    zone_manager.zone = UrlZone(std::string(SchemePrefix(address.scheme())).append(address.host).append("/"));
  }
  return RunStatus(user, machine, address, zone_manager);
}

VerbResult RemoveForUser(const Options&, const SiteAddress& address, Registry& user, bool) {
  return RunRemove(user, address);
}

}  // namespace orvel::cli
