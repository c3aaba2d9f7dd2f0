// The console program's portable part: its arguments, and its verbs over the
// in-memory registry.
#include <gtest/gtest.h>

#include "check/texts.h"
#include "cli/cli_texts.h"
#include "cli/options.h"
#include "cli/verbs.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel::cli {
namespace {

using Action = ParsedArguments::Action;

struct ArgumentCase {
  std::vector<std::string> arguments;
  Action action;
  Verb verb = Verb::kCheck;
};

TEST(CliArguments, VerbsOptionsAndMisfits) {
  const ArgumentCase cases[] = {
      {{"check", "a.b.c"}, Action::kRun},
      {{"--json", "check", "a.b.c", "--save", "--login"}, Action::kRun},
      {{"export", "1.2.3.4", "--out", "f.reg"}, Action::kRun, Verb::kExport},
      {{"export", "1.2.3.4", "--out=f.reg", "--user=S-1-5-21-1-2-3-1001"}, Action::kRun, Verb::kExport},
      {{"status", "--user", "S-1-5-21-1-2-3-1001", "a"}, Action::kRun, Verb::kStatus},
      {{"remove", "a", "--all-users"}, Action::kRun, Verb::kRemove},
      {{"set-address", "http://10.1.2.3/x"}, Action::kRun, Verb::kSetAddress},
      {{"check", "a", "--bogus", "--help"}, Action::kError},
      {{"check", "/?"}, Action::kHelp},
      {{"--version"}, Action::kVersion},
      {{}, Action::kError},
      {{"frob", "a"}, Action::kError},
      {{"check"}, Action::kError},
      {{"check", "a", "b"}, Action::kError},
      {{"status", "a", "--save"}, Action::kError},
      {{"check", "a", "--out", "f.reg"}, Action::kError},
      {{"check", "a", "--out"}, Action::kError},
      {{"check", "a", "--user="}, Action::kError},
      {{"check", "a", "--user", "bob"}, Action::kError},
      {{"check", "a", "--user", "S-1-5-21-1", "--all-users"}, Action::kError},
      {{"check", "a", "--login", "--user", "S-1-5-21-1"}, Action::kError},
      {{"set-address", "a", "--all-users"}, Action::kError},
      {{"export", "a", "--all-users"}, Action::kError},
  };
  for (const ArgumentCase& c : cases) {
    std::string joined;
    for (const std::string& argument : c.arguments) joined += argument + " ";
    SCOPED_TRACE(joined);
    const ParsedArguments parsed = ParseArguments(c.arguments);
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.error.empty(), c.action != Action::kError);
    if (c.action == Action::kRun) {
      EXPECT_EQ(parsed.options.verb, c.verb);
    }
  }
  const Options options = ParseArguments({"export", "--user=S-1-5-21-9-1001", "a b", "--out=x=y.reg"}).options;
  EXPECT_EQ(options.address, "a b");
  EXPECT_EQ(options.user, "S-1-5-21-9-1001");
  EXPECT_EQ(options.out, "x=y.reg");
}

TEST(CliArguments, OnlyPeoplesHivesAreUserAccounts) {
  EXPECT_TRUE(IsUserAccountSid("S-1-5-21-3623811015-3361044348-30300820-1013"));
  for (const char* name : {"S-1-5-21-1-2-3-1001_Classes", "S-1-5-18", ".DEFAULT", "S-1-5-21-", "S-1-5-21-1--2"}) {
    EXPECT_FALSE(IsUserAccountSid(name)) << name;
  }
}

class CliVerbs : public testing::Test {
 protected:
  MemoryRegistry registry_;
  MemoryRegistry machine_;
  test::RecordingStore store_;
};

struct CheckCase {
  const char* address;
  bool zone_key;
  int32_t save_fails_with;
  ExitCode code;
  std::string_view last_line;
};

TEST_F(CliVerbs, CheckExitCodesFollowItsOutcome) {
  const CheckCase cases[] = {
      {"  http://a.b.c/x ", true, 0, kDone, orvel::texts::kCheckDone},
      {"ftp://a.b.c/", true, 0, kInvalidAddress, orvel::texts::kAddressInvalid},
      {"a.b.c", false, 0, kFailed, orvel::texts::kPermissionsFailed},
      {"10.1.2.3", true, 5, kFailed, orvel::texts::kSaveFailed},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.address);
    MemoryRegistry registry;
    if (c.zone_key) test::PutKey(registry, zone_keys::kZone2);
    test::RecordingStore store;
    store.fail_with = c.save_fails_with;
    MemoryRegistry machine;
    const VerbResult result = RunCheck({registry, machine, {}}, store, true, c.address);
    EXPECT_EQ(result.code, c.code);
    ASSERT_FALSE(result.lines.empty());
    EXPECT_EQ(result.lines.back(), c.last_line);
    // The closing box is printed once, not twice when it repeats the last line.
    EXPECT_NE(result.lines[result.lines.size() - 2], c.last_line);
  }
}

TEST_F(CliVerbs, CheckStepsInJson) {
  test::PutKey(registry_, zone_keys::kZone2);
  store_.fail_with = 5;
  const std::string json = RunCheck({registry_, machine_, {}}, store_, true, "a.b.c").json.Json();
  EXPECT_NE(json.find(R"({"step":"permissions","ok":true},{"step":"save","ok":false})"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("findings":[],"saved":false)"), std::string::npos) << json;
}

TEST_F(CliVerbs, StatusIsMissingUntilTheCheckRan) {
  test::PutKey(registry_, zone_keys::kZone2);
  const ZoneManagerAnswer not_asked;
  const VerbResult before = RunStatus(registry_, machine_, ReadSiteAddress("10.1.2.3"), not_asked);
  EXPECT_EQ(before.code, kFound);
  EXPECT_EQ(before.lines.front(), texts::kNotTrusted);
  EXPECT_EQ(before.lines.back(), texts::kNotInPlace);

  ASSERT_EQ(RunCheck({registry_, machine_, {}}, store_, false, "10.1.2.3").code, kDone);
  const VerbResult after = RunStatus(registry_, machine_, ReadSiteAddress("10.1.2.3"), {true, 3});
  EXPECT_EQ(after.code, kDone);
  EXPECT_EQ(after.lines.back(), texts::kInPlace);
  const std::string json = after.json.Json();
  EXPECT_NE(json.find(R"("registry_zone":2,"zone_manager_zone":3)"), std::string::npos) << json;
  // The http entry does not trust the host for https.
  const std::string https = RunStatus(registry_, machine_, ReadSiteAddress("https://10.1.2.3"), {}).json.Json();
  EXPECT_NE(https.find(R"("scheme":"https","trusted":false)"), std::string::npos) << https;
}

TEST_F(CliVerbs, FindingsOfTheDiagnosisMakeCheckAndStatusAnswerOne) {
  test::PutKey(registry_, zone_keys::kZone2);
  test::PutDword(machine_, zone_keys::kPolicySettings, zone_keys::kMachineSettingsOnly, 1);
  const VerbResult check = RunCheck({registry_, machine_, {}}, store_, false, "a.b.c");
  EXPECT_EQ(check.code, kFound);
  const VerbResult status = RunStatus(registry_, machine_, ReadSiteAddress("a.b.c"), {});
  EXPECT_EQ(status.code, kFound);
  EXPECT_EQ(status.lines.back(), texts::kNotInPlace);
  for (const std::string& json : {check.json.Json(), status.json.Json()}) {
    EXPECT_EQ(json.find(R"("findings":[])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("findings":[")"), std::string::npos) << json;
  }
}

TEST_F(CliVerbs, RemoveReportsAFailedDeleteOnStandardError) {
  test::PutKey(registry_, zone_keys::kZone2);
  ASSERT_EQ(RunCheck({registry_, machine_, {}}, store_, false, "10.1.2.3").code, kDone);
  FaultyRegistry faulty(registry_);
  faulty.FailCall(RegistryCall::kDeleteKey, 1, status::kAccessDenied);
  const VerbResult result = RunRemove(faulty, ReadSiteAddress("10.1.2.3"));
  EXPECT_EQ(result.code, kFailed);
  EXPECT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.lines.back(), texts::kZoneSettingsKept);
  const VerbResult again = RunRemove(registry_, ReadSiteAddress("10.1.2.3"));
  EXPECT_EQ(again.code, kDone);
  EXPECT_TRUE(again.errors.empty());
}

}  // namespace
}  // namespace orvel::cli
