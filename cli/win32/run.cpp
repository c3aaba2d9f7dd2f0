#include "cli/win32/run.h"

#include "orvel_version.h"

#include "check/check_presenter.h"
#include "cli/address_report.h"
#include "cli/cli_texts.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/win32/active_setup_verb.h"
#include "cli/win32/console_output.h"
#include "cli/win32/file_verbs.h"
#include "cli/win32/machine_verbs.h"
#include "cli/win32/unwatched_run.h"
#include "cli/win32/user_verbs.h"
#include "cli/win32/users.h"

namespace orvel::cli {
namespace {

VerbResult RunVerb(const Options& options, const SiteAddress& address) {
  switch (options.verb) {
    case Verb::kCheck:
      if (!options.all_users) return ForEachUser(options, address, CheckForUser);
      return AfterUsers(ForEachUser(options, address, CheckForUser), CheckMachinePart(address));
    case Verb::kStatus:
      if (options.machine) return MachineStatus(address);
      if (!options.all_users) return ForEachUser(options, address, StatusForUser);
      return AfterUsers(ForEachUser(options, address, StatusForUser), MachineStatus(address));
    case Verb::kRemove:
      return RemoveFromMachine(options, address, ForEachUser(options, address, RemoveForUser));
    case Verb::kExport:
      return Export(options, address);
    case Verb::kSetAddress:
      return SetAddress(address);
    case Verb::kActiveSetup:
      return ActiveSetup(options);
    case Verb::kIeMode:
      break;
  }
  return IeMode(options, address);
}

VerbResult InvalidAddress(Verb verb) {
  CheckOutcome invalid;
  invalid.failed = CheckStep::kAddress;
  VerbResult result;
  result.code = kInvalidAddress;
  if (verb == Verb::kCheck) result.lines = CheckLines(invalid);
  result.errors.emplace_back(FailureText(CheckStep::kAddress));
  return result;
}

void WriteLine(ConsoleStream stream, std::string_view line) {
  WriteConsoleText(stream, std::string(line).append("\r\n"));
}

// The results shown first, then this one's lines (none with --json) and
// errors; `errors` gathers the errors in the order shown.
void Print(const VerbResult& result, bool json, std::vector<std::string>& errors) {
  for (const VerbResult& earlier : result.shown_first) Print(earlier, json, errors);
  if (!json) {
    for (const std::string& line : result.lines) WriteLine(ConsoleStream::kOutput, line);
  }
  for (const std::string& error : result.errors) {
    WriteLine(ConsoleStream::kError, std::string(texts::kError).append(error));
    errors.push_back(error);
  }
}

// The one place a verb's result is shown: as lines and errors, or, with
// --json, the errors and then one object, `object`'s members first. A run
// that wrote nothing says so last.
ExitCode Show(const VerbResult& result, bool json, JsonObject object) {
  std::vector<std::string> errors;
  Print(result, json, errors);
  const std::optional<bool> changed = AnyChange(result);
  if (!json && changed == false) WriteLine(ConsoleStream::kOutput, texts::kNothingChanged);
  if (json) {
    object.Merge(result.json);
    if (changed) object.Bool("changed", *changed);
    if (result.machine_changed) object.Bool("machine_changed", *result.machine_changed);
    object.Number("exit_code", result.code).Raw("errors", JsonTexts(errors));
    WriteLine(ConsoleStream::kOutput, object.Json());
  }
  return result.code;
}

}  // namespace

ExitCode Run(const std::vector<std::string>& arguments) {
  const ParsedArguments parsed = ParseArguments(arguments);
  switch (parsed.action) {
    case ParsedArguments::Action::kHelp:
      WriteConsoleText(ConsoleStream::kOutput, kHelpText);
      return kDone;
    case ParsedArguments::Action::kVersion:
      WriteLine(ConsoleStream::kOutput, "orvel-zone " ORVEL_VERSION);
      return kDone;
    case ParsedArguments::Action::kError:
      WriteLine(ConsoleStream::kError,
                std::string(texts::kError).append(texts::kBadArguments).append(parsed.error).append(texts::kSeeHelp));
      return kBadArguments;
    case ParsedArguments::Action::kRun:
      break;
  }
  const Options& options = parsed.options;
  if (options.quiet) StartUnwatchedRun();
  const SiteAddress address = ReadSiteAddress(options.address);
  // Taking everything back names no site.
  const bool invalid = address.site.kind == HostKind::kInvalid && !NamesNoSite(options);
  const VerbResult result = invalid ? InvalidAddress(options.verb) : RunVerb(options, address);
  if (options.quiet) return result.code;
  return Show(result, options.json, AddressJson(VerbName(options.verb), address));
}

}  // namespace orvel::cli
