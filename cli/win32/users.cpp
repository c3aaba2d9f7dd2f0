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
// Empty when there is none, after saying why.
std::vector<std::string> Users(const Options& options, Output& output, ExitCode& code) {
  if (options.user) return {*options.user};
  if (!options.all_users) {
    if (ProcessUserSid(GetCurrentProcess()) == kLocalSystemSid) {
      output.Error(texts::kRefuseSystem);
      code = kBadArguments;
      return {};
    }
    return {std::string()};
  }
  std::vector<std::string> sids;
  for (std::string& name : LoadedHiveNames()) {
    if (IsUserAccountSid(name)) sids.push_back(std::move(name));
  }
  if (sids.empty()) {
    output.Error(texts::kNoUserHives);
    code = kFailed;
  }
  return sids;
}

}  // namespace

ExitCode ForEachUser(const Options& options, const SiteAddress& address, UserVerb verb, Output& output,
                     JsonObject& json) {
  ExitCode worst = kDone;
  const std::vector<std::string> sids = Users(options, output, worst);
  std::vector<std::string> users;
  std::string ie_mode;
  for (const std::string& sid : sids) {
    VerbResult result;
    const bool current_user = sid.empty();
    if (!current_user) output.Line(texts::UserHeading(sid));
    const UniqueKey hive = current_user ? UniqueKey() : OpenUserHive(sid);
    if (!current_user && !hive.valid()) {
      result.code = kFailed;
      result.errors.push_back(std::string(texts::kHiveNotOpened).append(sid).append(texts::kHiveNotLoaded));
    } else {
      Win32Registry registry(current_user ? HKEY_CURRENT_USER : hive.get());
      result = verb(options, address, registry, current_user || sid == ProcessUserSid(GetCurrentProcess()));
    }
    output.Lines(result.lines);
    for (const std::string& error : result.errors) output.Error(error);
    JsonObject user;
    if (current_user) {
      user.Null("user");
    } else {
      user.Text("user", sid);
    }
    user.Number("exit_code", result.code).Merge(result.json).Raw("errors", JsonTexts(result.errors));
    users.push_back(user.Json());
    if (ie_mode.empty()) ie_mode = std::move(result.ie_mode);
    worst = Worst(worst, result.code);
  }
  json.Raw("users", JsonArray(users));
  if (!ie_mode.empty()) json.Raw("ie_mode", ie_mode);
  return worst;
}

}  // namespace orvel::cli
