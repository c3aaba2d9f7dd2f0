#include "cli/options.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/cli_texts.h"
#include "text/ascii.h"

namespace orvel::cli {
namespace {

constexpr std::array<std::pair<std::string_view, Verb>, 7> kVerbs = {{
    {"check", Verb::kCheck},
    {"status", Verb::kStatus},
    {"remove", Verb::kRemove},
    {"export", Verb::kExport},
    {"set-address", Verb::kSetAddress},
    {"ie-mode", Verb::kIeMode},
    {"active-setup", Verb::kActiveSetup},
}};

ParsedArguments Error(std::string_view error) {
  ParsedArguments parsed;
  parsed.error = error;
  return parsed;
}

// "S-1-" and dash-separated numbers.
bool IsSidText(std::string_view text) {
  if (!text.starts_with("S-1-")) return false;
  text.remove_prefix(4);
  while (true) {
    const size_t dash = text.find('-');
    if (!IsDigits(text.substr(0, dash))) return false;
    if (dash == std::string_view::npos) return true;
    text.remove_prefix(dash + 1);
  }
}

// What a verb does not take; empty when the options fit it.
std::string_view Misfit(const Options& options) {
  const Verb verb = options.verb;
  if ((options.save || options.login) && verb != Verb::kCheck) return texts::kSaveAndLoginForCheck;
  if (options.out && verb != Verb::kExport) return texts::kOutForExport;
  if (options.site_list && verb != Verb::kExport) return texts::kSiteListForExport;
  if (options.remove_all && verb != Verb::kIeMode) return texts::kRemoveForIeMode;
  if (options.remove && verb != Verb::kIeMode && verb != Verb::kActiveSetup) return texts::kRemoveForIeMode;
  if (options.remove && options.remove_all) return texts::kRemoveAndRemoveAll;
  if (verb == Verb::kIeMode && (options.user || options.all_users)) return texts::kIeModeWithUsers;
  if (options.login && (options.user || options.all_users)) return texts::kLoginForOtherUsers;
  if (options.user && options.all_users) return texts::kUserAndAllUsers;
  if (options.machine && (verb != Verb::kStatus || options.user || options.all_users)) return texts::kMachineForStatus;
  if (verb == Verb::kSetAddress && (options.user || options.all_users)) return texts::kSetAddressWithUsers;
  if (verb == Verb::kExport && options.all_users) return texts::kExportForAllUsers;
  if (options.again && verb != Verb::kActiveSetup) return texts::kAgainForActiveSetup;
  if (options.again && options.remove) return texts::kAgainAndRemove;
  if (verb == Verb::kActiveSetup && (options.user || options.all_users)) return texts::kActiveSetupWithUsers;
  if (options.quiet && verb != Verb::kCheck) return texts::kQuietForCheck;
  if (options.user && !IsSidText(*options.user)) return texts::kUserNotASid;
  return {};
}

}  // namespace

std::string_view VerbName(Verb verb) {
  for (const auto& [name, value] : kVerbs) {
    if (value == verb) return name;
  }
  return {};
}

bool NamesNoSite(const Options& options) {
  return (options.verb == Verb::kIeMode && options.remove_all) ||
         (options.verb == Verb::kActiveSetup && (options.again || options.remove));
}

bool IsUserAccountSid(std::string_view name) {
  // System, service, app-pool and other virtual accounts have hives too; no
  // one browses in them.
  return IsSidText(name) && (name.starts_with("S-1-5-21-") || name.starts_with("S-1-12-1-"));
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
  ParsedArguments parsed;
  Options& options = parsed.options;
  std::vector<std::string> words;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // The value of "--name VALUE" or "--name=VALUE".
    const auto value_of = [&](std::string_view name) -> std::optional<std::string> {
      if (argument != name) return argument.substr(name.size() + 1);
      return i + 1 < arguments.size() ? std::optional(arguments[++i]) : std::nullopt;
    };
    const auto is_option = [&](std::string_view name) {
      return argument == name ||
             (argument.starts_with(name) && argument.size() > name.size() && argument[name.size()] == '=');
    };
    if (argument == "--help" || argument == "-h" || argument == "/?") {
      parsed.action = ParsedArguments::Action::kHelp;
      return parsed;
    } else if (argument == "--version") {
      parsed.action = ParsedArguments::Action::kVersion;
      return parsed;
    } else if (argument == "--save") {
      options.save = true;
    } else if (argument == "--login") {
      options.login = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "--all-users") {
      options.all_users = true;
    } else if (argument == "--site-list") {
      options.site_list = true;
    } else if (argument == "--remove") {
      options.remove = true;
    } else if (argument == "--remove-all") {
      options.remove_all = true;
    } else if (argument == "--machine") {
      options.machine = true;
    } else if (argument == "--again") {
      options.again = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else if (is_option("--user") || is_option("--out")) {
      const bool user = is_option("--user");
      auto value = value_of(user ? "--user" : "--out");
      if (!value || value->empty()) return Error(std::string(user ? "--user" : "--out").append(texts::kNeedsAValue));
      (user ? options.user : options.out) = std::move(*value);
    } else if (argument.starts_with("--")) {
      return Error(std::string(texts::kUnknownOption).append(argument));
    } else {
      words.push_back(argument);
    }
  }
  if (words.empty()) return Error(texts::kNoVerb);
  const auto verb = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const auto& v) { return v.first == words[0]; });
  if (verb == kVerbs.end()) return Error(std::string(texts::kUnknownVerb).append(words[0]));
  options.verb = verb->second;
  if (NamesNoSite(options)) {
    if (words.size() != 1)
      return Error(options.verb == Verb::kIeMode ? texts::kRemoveAllWithAddress : texts::kActiveSetupWithAddress);
  } else if (words.size() != 2) {
    return Error(std::string(words[0]).append(texts::kOneAddress));
  } else {
    options.address = words[1];
  }
  if (const std::string_view misfit = Misfit(options); !misfit.empty()) return Error(misfit);
  parsed.action = ParsedArguments::Action::kRun;
  return parsed;
}

}  // namespace orvel::cli
