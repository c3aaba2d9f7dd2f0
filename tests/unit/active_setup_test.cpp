// The Active Setup registration: versions, the command it runs, and the
// verb over the in-memory registry.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "cli/active_setup.h"
#include "cli/active_setup_registration.h"
#include "tests/cli/json_value.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"

namespace orvel::cli {
namespace {

using namespace std::chrono;
using Version = ActiveSetupVersion;
using Action = ActiveSetupRequest::Action;

// 2026-12-09 00:41:37 UTC.
const system_clock::time_point kNow = sys_days(year(2026) / 12 / 9) + minutes(41) + seconds(37);
constexpr std::string_view kProgram = "C:\\Program Files\\ORVEL\\orvel-zone.exe";

TEST(ActiveSetupVersions, ParsedFieldByFieldAndRaisedAboveTheRegisteredAndTheTime) {
  for (const auto& [text, version] : {std::pair<std::string_view, std::optional<Version>>{"1", Version{1, 0, 0, 0}},
                                      {"2026,1209,41,37", Version{2026, 1209, 41, 37}},
                                      {"65535,65535,65535,65535", Version{65535, 65535, 65535, 65535}},
                                      {"", std::nullopt},
                                      {"1,2,3,4,5", std::nullopt},
                                      {"1,,2", std::nullopt},
                                      {"65536", std::nullopt},
                                      {"+1", std::nullopt},
                                      {"1.2", std::nullopt}}) {
    EXPECT_EQ(ParseActiveSetupVersion(text), version) << text;
  }
  const struct {
    std::optional<Version> registered;
    Version next;
  } cases[] = {
      {std::nullopt, {2026, 1209, 41, 37}},
      {Version{2026, 1209, 41, 37}, {2026, 1209, 41, 38}},  // twice in one second
      {Version{2026, 1209, 40, 0}, {2026, 1209, 41, 37}},
      {Version{9999, 1, 2, 65535}, {9999, 1, 3, 0}},  // the clock behind a registration
      {Version{65535, 65535, 65535, 65535}, {65535, 65535, 65535, 65535}},
  };
  for (const auto& c : cases) EXPECT_EQ(NextActiveSetupVersion(c.registered, kNow), c.next);
  EXPECT_EQ(ActiveSetupVersionText(ActiveSetupVersionAt(sys_days(year(2027) / 1 / 1) - seconds(1))),
            "2026,1231,2359,59");
}

TEST(ActiveSetupCommands, CarryTheAddressAsOneArgument) {
  for (const auto& [address, command] :
       {std::pair<std::string_view, std::string_view>{
            "a.b.c/x y", R"("C:\Program Files\ORVEL\orvel-zone.exe" check "a.b.c/x y" --quiet)"},
        // Read back as backslashes, not as a quote in the text.
        {"门户.cn\\\\", R"("C:\Program Files\ORVEL\orvel-zone.exe" check "门户.cn\\\\" --quiet)"}}) {
    EXPECT_EQ(ActiveSetupCommand(kProgram, address), command);
    EXPECT_EQ(AddressOfActiveSetupCommand(command), address);
  }
  for (std::string_view address : {"a.b.c/\"x", "a.b.c/\tx", "a.b.c/\x7f"}) EXPECT_FALSE(FitsInQuotes(address));
  for (std::string_view command : {"", R"("x.exe" status "a.b.c" --quiet)", R"("x.exe" check a.b.c --quiet)",
                                   R"("x.exe" check "a.b.c\" --quiet)", R"("x.exe" check "a"b" --quiet)"}) {
    EXPECT_EQ(AddressOfActiveSetupCommand(command), std::nullopt) << command;
  }
}

VerbResult Register(Registry& machine, Action action, std::string_view address = {},
                    system_clock::time_point now = kNow, std::string_view program = kProgram) {
  return RunActiveSetup(machine, {action, std::string(program), std::string(address), now});
}

TEST(ActiveSetupVerb, RegistersRenewsAndRemoves) {
  MemoryRegistry machine;
  const auto value = [&](std::string_view name) { return ReadString(machine, kActiveSetupKey, name); };
  const VerbResult first = Register(machine, Action::kRegister, "http://a.b.c/");
  EXPECT_EQ(first.code, kDone);
  EXPECT_EQ(value(""), kActiveSetupName);
  EXPECT_EQ(test::GetDword(machine, kActiveSetupKey, "IsInstalled"), 1u);
  const test::JsonValue json = test::ParseJson(first.json.Json());
  EXPECT_EQ(json["active_setup"]["stub_path"].text, ActiveSetupCommand(kProgram, "http://a.b.c/"));
  EXPECT_EQ(json["active_setup"]["version"].text, "2026,1209,41,37");
  EXPECT_EQ(first.changed, true);

  Register(machine, Action::kRegister, "10.1.2.3");
  EXPECT_EQ(value("Version"), "2026,1209,41,38");
  // An upgrade to another folder: the address stays, the program is the new one.
  EXPECT_EQ(Register(machine, Action::kRenew, {}, kNow + hours(1), "D:\\x64\\orvel-zone.exe").code, kDone);
  EXPECT_EQ(value("StubPath"), ActiveSetupCommand("D:\\x64\\orvel-zone.exe", "10.1.2.3"));
  EXPECT_EQ(value("Version"), "2026,1209,141,37");

  const VerbResult removed = Register(machine, Action::kRemove);
  EXPECT_EQ(removed.json.Json(), R"({"active_setup":null})");
  EXPECT_EQ(removed.changed, true);
  for (const Action action : {Action::kRenew, Action::kRemove}) {
    const VerbResult none = Register(machine, action);
    EXPECT_EQ(none.code, kDone);
    EXPECT_EQ(none.json.Json(), R"({"active_setup":null})");
    EXPECT_EQ(none.changed, false);
  }
  EXPECT_FALSE(test::HasKey(machine, kActiveSetupKey));
}

TEST(ActiveSetupVerb, WhatItCannotCarryReadOrWriteFailsAndSaysWhetherAnythingChanged) {
  const struct {
    std::string_view stub;  // the registration there is
    Action action;
    std::string_view address;
    std::optional<RegistryCall> fault;
    int nth;
    ExitCode code;
    bool changed;
  } cases[] = {
      {{}, Action::kRegister, "a.b.c/\"x", std::nullopt, 0, kInvalidAddress, false},
      {R"(cmd /c "x")", Action::kRenew, {}, std::nullopt, 0, kFailed, false},
      {R"("x.exe" check "a..b" --quiet)", Action::kRenew, {}, std::nullopt, 0, kFailed, false},
      {{}, Action::kRegister, "a.b.c", RegistryCall::kCreateKey, 1, kFailed, false},
      {{}, Action::kRegister, "a.b.c", RegistryCall::kSetValue, 4, kFailed, true},
      {R"("x.exe" check "a.b.c" --quiet)", Action::kRenew, {}, RegistryCall::kOpenKey, 1, kFailed, false},
      {R"("x.exe" check "a.b.c" --quiet)", Action::kRemove, {}, RegistryCall::kDeleteKey, 1, kFailed, false},
  };
  for (const auto& c : cases) {
    MemoryRegistry machine;
    if (!c.stub.empty()) test::PutString(machine, kActiveSetupKey, "StubPath", c.stub);
    FaultyRegistry faulty(machine);
    if (c.fault) faulty.FailCall(*c.fault, c.nth, status::kAccessDenied);
    const VerbResult result = Register(faulty, c.action, c.address);
    EXPECT_EQ(result.code, c.code) << c.stub << c.address;
    EXPECT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.changed, c.changed);
    EXPECT_EQ(ReadString(machine, kActiveSetupKey, "StubPath").value_or(""),
              c.changed ? ActiveSetupCommand(kProgram, c.address) : std::string(c.stub));
    EXPECT_EQ(faulty.OpenHandleCount(), 0u);
  }
}

}  // namespace
}  // namespace orvel::cli
