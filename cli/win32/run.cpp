#include "cli/win32/run.h"

#include "orvel_version.h"

#include "check/check_presenter.h"
#include "cli/address_report.h"
#include "cli/cli_texts.h"
#include "cli/help_text.h"
#include "cli/options.h"
#include "cli/win32/console_output.h"
#include "cli/win32/file_verbs.h"
#include "cli/win32/machine_verbs.h"
#include "cli/win32/output.h"
#include "cli/win32/user_verbs.h"
#include "cli/win32/users.h"

namespace orvel::cli {
namespace {

ExitCode RunVerb(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  switch (options.verb) {
    case Verb::kCheck:
      return ForEachUser(options, address, CheckForUser, output, json);
    case Verb::kStatus:
      return ForEachUser(options, address, StatusForUser, output, json);
    case Verb::kRemove:
      return RemoveFromMachine(options, address, ForEachUser(options, address, RemoveForUser, output, json), output,
                               json);
    case Verb::kExport:
      return Export(options, address, output, json);
    case Verb::kSetAddress:
      return SetAddress(address, output, json);
    case Verb::kIeMode:
      return IeMode(options, address, output, json);
  }
  return kBadArguments;
}

}  // namespace

ExitCode Run(const std::vector<std::string>& arguments) {
  const ParsedArguments parsed = ParseArguments(arguments);
  switch (parsed.action) {
    case ParsedArguments::Action::kHelp:
      WriteConsoleText(ConsoleStream::kOutput, kHelpText);
      return kDone;
    case ParsedArguments::Action::kVersion:
      WriteConsoleText(ConsoleStream::kOutput, "orvel-zone " ORVEL_VERSION "\r\n");
      return kDone;
    case ParsedArguments::Action::kError:
      WriteConsoleText(
          ConsoleStream::kError,
          std::string(texts::kError).append(texts::kBadArguments).append(parsed.error).append(texts::kSeeHelp) +
              "\r\n");
      return kBadArguments;
    case ParsedArguments::Action::kRun:
      break;
  }
  const Options& options = parsed.options;
  const SiteAddress address = ReadSiteAddress(options.address);
  Output output(options.json);
  JsonObject json = AddressJson(VerbName(options.verb), address);
  // Taking everything back names no site.
  if (address.site.kind == HostKind::kInvalid && !options.remove_all) {
    CheckOutcome invalid;
    invalid.failed = CheckStep::kAddress;
    if (options.verb == Verb::kCheck) output.Lines(CheckLines(invalid));
    output.Error(FailureText(CheckStep::kAddress));
    return output.Finish(std::move(json), kInvalidAddress);
  }
  return output.Finish(std::move(json), RunVerb(options, address, output, json));
}

}  // namespace orvel::cli
