#include "cli/run.h"

#include <windows.h>

#include "check/address.h"
#include "check/texts.h"
#include "cli/cli_texts.h"
#include "cli/help_text.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/verbs.h"
#include "win/console_output.h"
#include "win/environment.h"
#include "win/saved_address_file.h"
#include "win/shell_launcher.h"
#include "win/url_zone.h"
#include "win/user_account.h"
#include "win/utf16_text.h"
#include "win/whole_file.h"
#include "win/win32_ansi_codec.h"
#include "win/win32_registry.h"
#include "zones/reg_file.h"

namespace orvel::cli {
namespace {

// A check without --save keeps the address nowhere.
class NoAddressStore final : public AddressStore {
 public:
  std::string Load() const override { return {}; }
  int32_t Save(std::string_view) override { return 0; }
};

// Text lines, or one JSON object at the end; errors go to standard error
// either way.
class Output {
 public:
  explicit Output(bool json) : json_(json) {}

  void Line(std::string_view line) {
    if (!json_) WriteConsoleText(ConsoleStream::kOutput, std::string(line) + "\r\n");
  }
  void Lines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) Line(line);
  }
  void Error(std::string_view line) {
    errors_.emplace_back(line);
    WriteConsoleText(ConsoleStream::kError, std::string(texts::kError).append(line).append("\r\n"));
  }
  // Prints the JSON object, with the errors so far, in --json mode.
  ExitCode Finish(JsonObject json, ExitCode code) {
    if (json_) {
      json.Number("exit_code", code).Raw("errors", JsonTexts(errors_));
      WriteConsoleText(ConsoleStream::kOutput, json.Json() + "\r\n");
    }
    return code;
  }

 private:
  bool json_;
  std::vector<std::string> errors_;
};

std::string ErrorCode(int32_t status) { return std::string(texts::kErrorCode).append(std::to_string(status)) + "。"; }

// `own_hive`: the registry is this process's user's, whose browser the zone
// manager answers for.
VerbResult RunVerb(const Options& options, const SiteAddress& address, Registry& registry, bool own_hive) {
  Win32Registry machine = Win32Registry::MachineSettings();
  switch (options.verb) {
    case Verb::kCheck: {
      const Win32AnsiCodec codec;
      SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
      NoAddressStore nowhere;
      AddressStore& store = options.save ? static_cast<AddressStore&>(file) : nowhere;
      ShellLauncher launcher(nullptr);
      const Login login{launcher, ProgramFilesFromEnvironment()};
      return RunCheck({registry, machine, {}}, store, options.save, options.address, options.login ? &login : nullptr);
    }
    case Verb::kStatus: {
      ZoneManagerAnswer zone_manager;
      zone_manager.asked = own_hive;
      if (own_hive)
        zone_manager.zone = UrlZone(std::string(SchemePrefix(address.scheme())).append(address.host).append("/"));
      return RunStatus(registry, machine, address, zone_manager);
    }
    default:
      return RunRemove(registry, address);
  }
}

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

ExitCode ForEachUser(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  ExitCode worst = kDone;
  const std::vector<std::string> sids = Users(options, output, worst);
  std::vector<std::string> users;
  for (const std::string& sid : sids) {
    VerbResult result;
    const bool current_user = sid.empty();
    if (!current_user) output.Line(std::string(texts::kUser).append(sid).append("："));
    const UniqueKey hive = current_user ? UniqueKey() : OpenUserHive(sid);
    if (!current_user && !hive.valid()) {
      result.code = kFailed;
      result.errors.push_back(std::string(texts::kHiveNotOpened).append(sid).append(texts::kHiveNotLoaded));
    } else {
      Win32Registry registry(current_user ? HKEY_CURRENT_USER : hive.get());
      result = RunVerb(options, address, registry, current_user || sid == ProcessUserSid(GetCurrentProcess()));
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
    worst = Worst(worst, result.code);
  }
  json.Raw("users", JsonArray(users));
  return worst;
}

ExitCode Export(const Options& options, const SiteAddress& address, Output& output, JsonObject& json) {
  const std::string root =
      options.user ? std::string("HKEY_USERS\\").append(*options.user) : std::string(kCurrentUserRoot);
  const std::string text = RegFileText(root, address.host, address.kind, address.scheme());
  json.Text("reg", text);
  if (!options.out) {
    json.Null("file");
    output.Line(text);
    return kDone;
  }
  json.Text("file", *options.out);
  // What regedit writes: UTF-16 little-endian behind its byte-order mark.
  const std::wstring wide = L"\xFEFF" + Utf8ToWide(text);
  const std::string_view bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
  if (const int32_t written = WriteWholeFile(Utf8ToWide(*options.out), bytes); written != ERROR_SUCCESS) {
    output.Error(std::string(texts::kFileNotWritten).append(*options.out).append(ErrorCode(written)));
    return kFailed;
  }
  output.Line(std::string(texts::kRegFileWritten).append(*options.out).append("。"));
  return kDone;
}

ExitCode SetAddress(const SiteAddress& address, Output& output, JsonObject& json) {
  const Win32AnsiCodec codec;
  SavedAddressFile file(SavedAddressFile::BesideProgram(), codec);
  json.Text("file", WideToUtf8(file.path()));
  if (const int32_t saved = file.Save(address.text); saved != ERROR_SUCCESS) {
    output.Error(std::string(orvel::texts::kSaveFailed).append(ErrorCode(saved)));
    return kFailed;
  }
  output.Line(std::string(texts::kAddressSaved).append(WideToUtf8(file.path())));
  return kDone;
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
  JsonObject json;
  json.Text("verb", VerbName(options.verb))
      .Text("address", address.text)
      .Text("host", address.host)
      .Text("kind", KindName(address.kind));
  if (address.kind == HostKind::kInvalid) {
    if (options.verb == Verb::kCheck) {
      output.Line(orvel::texts::kCheckingAddress);
      output.Line(orvel::texts::kAddressInvalid);
    }
    output.Error(orvel::texts::kAddressInvalid);
    return output.Finish(std::move(json), kInvalidAddress);
  }
  ExitCode code = kDone;
  switch (options.verb) {
    case Verb::kSetAddress:
      code = SetAddress(address, output, json);
      break;
    case Verb::kExport:
      code = Export(options, address, output, json);
      break;
    default:
      code = ForEachUser(options, address, output, json);
  }
  return output.Finish(std::move(json), code);
}

}  // namespace orvel::cli
