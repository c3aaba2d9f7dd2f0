#include "cli/win32/users.h"

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "win/user_account.h"
#include "win/win32_registry.h"

namespace orvel::cli {
namespace {

// The users to act for: a SID each, or one empty name for the current user.
// Empty when there is none, with the reason in `result`.
std::vector<std::string> Users(const Options& options, VerbResult& result) {
  if (options.user) return {*options.user};
  if (!options.all_users) {
    if (ProcessUserSid(GetCurrentProcess()) == kLocalSystemSid) {
      result.errors.emplace_back(texts::kRefuseSystem);
      result.code = kBadArguments;
      return {};
    }
    return {std::string()};
  }
  std::vector<std::string> sids;
  for (std::string& name : LoadedHiveNames()) {
    if (IsUserAccountSid(name)) sids.push_back(std::move(name));
  }
  if (sids.empty()) {
    result.errors.emplace_back(texts::kNoUserHives);
    result.code = kFailed;
  }
  return sids;
}

}  // namespace

VerbResult ForEachUser(const Options& options, const SiteAddress& address, UserVerb verb) {
  VerbResult all;
  const std::vector<std::string> sids = Users(options, all);
  std::vector<std::string> users;
  std::string ie_mode;
  for (const std::string& sid : sids) {
    VerbResult result;
    const bool current_user = sid.empty();
    const UniqueKey hive = current_user ? UniqueKey() : OpenUserHive(sid);
    if (!current_user && !hive.valid()) {
      result.code = kFailed;
      result.errors.push_back(std::string(texts::kHiveNotOpened).append(sid).append(texts::kHiveNotLoaded));
    } else {
      Win32Registry registry(current_user ? HKEY_CURRENT_USER : hive.get());
      result = verb(options, address, registry, current_user || sid == ProcessUserSid(GetCurrentProcess()));
    }
    if (!current_user) result.lines.insert(result.lines.begin(), texts::UserHeading(sid));
    users.push_back(JsonObject()
                        .TextOrNull("user", sid)
                        .Number("exit_code", result.code)
                        .Merge(result.json)
                        .Raw("errors", JsonTexts(result.errors))
                        .Json());
    if (ie_mode.empty()) ie_mode = std::move(result.ie_mode);
    all.code = Worst(all.code, result.code);
    all.shown_first.push_back(std::move(result));
  }
  all.json.Raw("users", JsonArray(users));
  if (!ie_mode.empty()) all.json.Raw("ie_mode", ie_mode);
  return all;
}

}  // namespace orvel::cli
