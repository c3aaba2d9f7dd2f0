#include "cli/win32/users.h"

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/user_choice.h"
#include "win/user_account.h"
#include "win/win32_registry.h"

namespace orvel::cli {

VerbResult ForEachUser(const Options& options, const SiteAddress& address, UserVerb verb) {
  VerbResult all;
  const std::string process_user = ProcessUserSid(GetCurrentProcess());
  const UserChoice choice = ChooseUsers(options, process_user == kLocalSystemSid,
                                        options.all_users ? LoadedHiveNames() : std::vector<std::string>{});
  if (choice.kind == UserChoice::Kind::kRefuseSystem) {
    all.errors.emplace_back(texts::kRefuseSystem);
    all.code = kBadArguments;
  }
  if (choice.kind == UserChoice::Kind::kNobodyLoaded) return NobodyLoggedOn(options.verb);
  std::vector<std::string> users;
  std::string ie_mode;
  for (const std::string& sid : choice.sids) {
    VerbResult result;
    const bool current_user = sid.empty();
    const UniqueKey hive = current_user ? UniqueKey() : OpenUserHive(sid);
    if (!current_user && !hive.valid()) {
      result.code = kFailed;
      result.errors.push_back(std::string(texts::kHiveNotOpened).append(sid).append(texts::kHiveNotLoaded));
    } else {
      Win32Registry registry(current_user ? HKEY_CURRENT_USER : hive.get());
      result = verb(options, address, registry, current_user || sid == process_user);
    }
    if (!current_user) result.lines.insert(result.lines.begin(), texts::UserHeading(sid));
    JsonObject user;
    user.TextOrNull("user", sid).Number("exit_code", result.code);
    if (result.changed) user.Bool("changed", *result.changed);
    users.push_back(user.Merge(result.json).Raw("errors", JsonTexts(result.errors)).Json());
    // With --all-users the machine's part after the users gives it.
    if (ie_mode.empty() && !options.all_users) ie_mode = std::move(result.ie_mode);
    all.code = Worst(all.code, result.code);
    if (result.changed) all.changed = all.changed.value_or(false) || *result.changed;
    if (result.machine_changed) all.machine_changed = all.machine_changed.value_or(false) || *result.machine_changed;
    all.shown_first.push_back(std::move(result));
  }
  all.json.Raw("users", JsonArray(users));
  if (options.all_users) all.json.Bool("users_pending", false);
  if (!ie_mode.empty()) all.json.Raw("ie_mode", ie_mode);
  return all;
}

}  // namespace orvel::cli
