#include "cli/active_setup_registration.h"

#include <optional>

#include "check/address.h"
#include "check/check_presenter.h"
#include "cli/active_setup.h"
#include "cli/cli_texts.h"

namespace orvel::cli {
namespace {

struct Registration {
  std::string command;
  std::string version;
};

VerbResult Reported(ExitCode code, const std::optional<Registration>& registration, bool changed) {
  VerbResult result;
  result.code = code;
  const std::string json =
      registration ? JsonObject().Text("stub_path", registration->command).Text("version", registration->version).Json()
                   : "null";
  result.json.Raw("active_setup", json);
  result.changed = changed;
  return result;
}

VerbResult NotWritten(int32_t status, bool changed) {
  VerbResult result = Reported(kFailed, std::nullopt, changed);
  result.errors.push_back(std::string(texts::kActiveSetupNotWritten).append(texts::ErrorCode(status)));
  return result;
}

VerbResult Register(Registry& machine, const ActiveSetupRequest& request, std::string_view address) {
  if (!FitsInQuotes(address)) {
    VerbResult invalid = Reported(kInvalidAddress, std::nullopt, false);
    invalid.errors.emplace_back(FailureText(CheckStep::kAddress));
    return invalid;
  }
  RegistryKey key(machine);
  bool created = false;
  if (const int32_t result = key.Create(kActiveSetupKey, &created); result != status::kSuccess) {
    return NotWritten(result, false);
  }
  const std::optional<std::string> registered = key.ReadString("Version");
  const Registration registration{
      ActiveSetupCommand(request.program, address),
      ActiveSetupVersionText(
          NextActiveSetupVersion(registered ? ParseActiveSetupVersion(*registered) : std::nullopt, request.now)),
  };
  // The version last: it is what makes a logon run the command.
  int32_t result = key.SetString("", kActiveSetupName);
  const bool changed = created || result == status::kSuccess;
  if (result == status::kSuccess) result = key.SetString("StubPath", registration.command);
  if (result == status::kSuccess) result = key.SetDword("IsInstalled", 1);
  if (result == status::kSuccess) result = key.SetString("Version", registration.version);
  if (result != status::kSuccess) return NotWritten(result, changed);
  VerbResult done = Reported(kDone, registration, true);
  done.lines.push_back(std::string(texts::kActiveSetupRegistered).append(registration.command));
  done.lines.push_back(std::string(texts::kActiveSetupVersion).append(registration.version));
  return done;
}

VerbResult Renew(Registry& machine, const ActiveSetupRequest& request) {
  RegistryKey key(machine);
  if (const int32_t result = key.Open(kActiveSetupKey); result != status::kSuccess) {
    if (!IsMissing(result)) return NotWritten(result, false);
    VerbResult none = Reported(kDone, std::nullopt, false);
    none.lines.emplace_back(texts::kActiveSetupNoneToRenew);
    return none;
  }
  const std::optional<std::string> command = key.ReadString("StubPath");
  const std::optional<std::string> address = command ? AddressOfActiveSetupCommand(*command) : std::nullopt;
  if (!address || ReadSiteAddress(*address).site.kind == HostKind::kInvalid) {
    VerbResult unreadable = Reported(kFailed, std::nullopt, false);
    unreadable.errors.emplace_back(texts::kActiveSetupUnreadable);
    return unreadable;
  }
  key.Close();
  return Register(machine, request, *address);
}

VerbResult Remove(Registry& machine) {
  const int32_t result = machine.DeleteKey(kActiveSetupKey);
  if (!DoneOrMissing(result)) return NotWritten(result, false);
  VerbResult removed = Reported(kDone, std::nullopt, result == status::kSuccess);
  removed.lines.emplace_back(result == status::kSuccess ? texts::kActiveSetupRemoved : texts::kActiveSetupNoneToRemove);
  return removed;
}

}  // namespace

VerbResult RunActiveSetup(Registry& machine, const ActiveSetupRequest& request) {
  switch (request.action) {
    case ActiveSetupRequest::Action::kRegister:
      return Register(machine, request, request.address);
    case ActiveSetupRequest::Action::kRenew:
      return Renew(machine, request);
    case ActiveSetupRequest::Action::kRemove:
      break;
  }
  return Remove(machine);
}

}  // namespace orvel::cli
