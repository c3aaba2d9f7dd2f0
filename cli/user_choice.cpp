#include "cli/user_choice.h"

#include "cli/cli_texts.h"

namespace orvel::cli {

UserChoice ChooseUsers(const Options& options, bool running_as_system, const std::vector<std::string>& loaded_hives) {
  if (options.user) return {.sids = {*options.user}};
  if (!options.all_users) {
    if (running_as_system) return {.kind = UserChoice::Kind::kRefuseSystem, .sids = {}};
    return {.sids = {std::string()}};
  }
  UserChoice choice;
  for (const std::string& name : loaded_hives) {
    if (IsUserAccountSid(name)) choice.sids.push_back(name);
  }
  if (choice.sids.empty()) choice.kind = UserChoice::Kind::kNobodyLoaded;
  return choice;
}

VerbResult NobodyLoggedOn(Verb verb) {
  VerbResult result;
  result.lines.push_back(
      std::string(texts::kNoUserHives).append(verb == Verb::kCheck ? texts::kUsersAtNextLogon : "").append("。"));
  result.json.Raw("users", "[]").Bool("users_pending", true);
  return result;
}

}  // namespace orvel::cli
