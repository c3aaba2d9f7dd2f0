#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvel::cli {

enum class Verb { kCheck, kStatus, kRemove, kExport, kSetAddress, kIeMode, kActiveSetup };

std::string_view VerbName(Verb verb);

struct Options {
  Verb verb = Verb::kCheck;
  std::string address;
  bool save = false;
  bool login = false;
  bool json = false;
  bool all_users = false;
  std::optional<std::string> user;  // a SID: HKEY_USERS\<SID> instead of the current user
  std::optional<std::string> out;   // export: the file to write
  bool site_list = false;           // export: an IE mode site list instead of a .reg file
  bool remove = false;              // ie-mode: take the host out of the tool's own list
  bool remove_all = false;          // ie-mode: take back everything the tool set up; no address
  bool machine = false;             // status: only the machine's part, read as any account may
  bool again = false;               // active-setup: renew the registration there is; no address
  bool quiet = false;               // check: no output, a console of its own hidden, the run bounded
};

// Whether the options act on no site, so that no address is read.
bool NamesNoSite(const Options& options);

struct ParsedArguments {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kError;
  Options options;
  std::string error;  // for kError: what is wrong, one line
};

// The arguments after the program's name, in UTF-8.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

// A user hive's name under HKEY_USERS that belongs to a person's account
// (S-1-5-21-... local and domain, S-1-12-1-... Entra ID), not to a system
// account, .DEFAULT or a _Classes hive.
bool IsUserAccountSid(std::string_view name);

}  // namespace orvel::cli
