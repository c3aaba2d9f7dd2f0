#include "cli/win32/machine_verbs.h"

#include <windows.h>

#include "check/address.h"
#include "cli/cli_texts.h"
#include "cli/ie_mode_report.h"
#include "cli/remove_verb.h"
#include "iemode/ie_mode_setup.h"
#include "win/win32_registry.h"
#include "win/win32_site_list_files.h"

namespace orvel::cli {
namespace {

ExitCode Show(const VerbResult& result, Output& output, JsonObject& json) {
  output.Lines(result.lines);
  for (const std::string& error : result.errors) output.Error(error);
  json.Merge(result.json);
  return result.code;
}

}  // namespace

ExitCode IeMode(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  if (options.remove || options.remove_all) {
    const int32_t removed = options.remove_all ? RemoveIeModeSetUp(machine_writes, site_lists)
                                               : RemoveHostFromIeMode(machine_writes, site_lists, address.site.host);
    json.Number("result", removed);
    if (removed == status::kSuccess) return kDone;
    output.Error(NotWrittenError(removed));
    return kFailed;
  }
  Win32Registry machine = Win32Registry::MachineSettings();
  Win32Registry user(HKEY_CURRENT_USER);
  return Show(IeModeResult(RunIeMode({user, machine}, &machine_writes, site_lists, address.site)), output, json);
}

ExitCode RemoveFromMachine(const Options& options, const SiteAddress& address, ExitCode users, Output& output,
                           JsonObject& json) {
  Win32Registry machine_writes = Win32Registry::MachineWrites();
  Win32SiteListFiles site_lists;
  return Worst(users, Show(RemoveFromIeModeList(machine_writes, site_lists, options, address, users,
                                                Win32Registry::MayWriteMachinePolicies()),
                           output, json));
}

}  // namespace orvel::cli
