// The console program's portable part: its arguments, and its verbs over the
// in-memory registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

#include "check/check_site.h"
#include "check/texts.h"
#include "cli/check_verb.h"
#include "cli/cli_texts.h"
#include "cli/exit_codes.h"
#include "cli/ie_mode_report.h"
#include "cli/json.h"
#include "cli/machine_changes.h"
#include "cli/machine_part.h"
#include "cli/options.h"
#include "cli/output_code_page.h"
#include "cli/remove_verb.h"
#include "cli/status_verb.h"
#include "cli/user_choice.h"
#include "cli/verb_result.h"
#include "iemode/ie_mode_keys.h"
#include "tests/cli/json_value.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_list_files.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/change_recording_registry.h"
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
      {{"ie-mode", "a.b.c"}, Action::kRun, Verb::kIeMode},
      {{"ie-mode", "a.b.c", "--remove"}, Action::kRun, Verb::kIeMode},
      {{"ie-mode", "--remove-all"}, Action::kRun, Verb::kIeMode},
      {{"export", "a.b.c", "--site-list"}, Action::kRun, Verb::kExport},
      {{"check", "a.b.c", "--quiet"}, Action::kRun},
      {{"active-setup", "http://a.b.c/"}, Action::kRun, Verb::kActiveSetup},
      {{"active-setup", "--again"}, Action::kRun, Verb::kActiveSetup},
      {{"--json", "active-setup", "--remove"}, Action::kRun, Verb::kActiveSetup},
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
      {{"ie-mode"}, Action::kError},
      {{"ie-mode", "a.b.c", "--remove-all"}, Action::kError},
      {{"ie-mode", "a.b.c", "--remove", "--remove-all"}, Action::kError},
      {{"ie-mode", "a.b.c", "--all-users"}, Action::kError},
      {{"remove", "a.b.c", "--remove"}, Action::kError},
      {{"check", "a.b.c", "--site-list"}, Action::kError},
      {{"status", "a.b.c", "--machine"}, Action::kRun, Verb::kStatus},
      {{"check", "a.b.c", "--machine"}, Action::kError},
      {{"status", "a.b.c", "--machine", "--all-users"}, Action::kError},
      {{"active-setup"}, Action::kError},
      {{"active-setup", "a.b.c", "--again"}, Action::kError},
      {{"active-setup", "a.b.c", "--remove"}, Action::kError},
      {{"active-setup", "--again", "--remove"}, Action::kError},
      {{"active-setup", "--remove-all"}, Action::kError},
      {{"active-setup", "a.b.c", "--user", "S-1-5-21-1"}, Action::kError},
      {{"active-setup", "a.b.c", "--quiet"}, Action::kError},
      {{"status", "a.b.c", "--quiet"}, Action::kError},
      {{"ie-mode", "--again"}, Action::kError},
      {{"check", "a.b.c", "--remove"}, Action::kError},
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
  for (const char* name :
       {"S-1-5-21-3623811015-3361044348-30300820-1013", "S-1-12-1-1441651811-1196487346-1234-5678"}) {
    EXPECT_TRUE(IsUserAccountSid(name)) << name;
  }
  for (const char* name :
       {"S-1-5-21-1-2-3-1001_Classes", "S-1-12-1-1-2-3-4_Classes", "S-1-5-18", "S-1-5-19", "S-1-5-20", ".DEFAULT",
        "S-1-5-21-", "S-1-5-21-1--2", "S-1-5-80-3139157870-2983391045-3678747466-658725712-1809340420",
        "S-1-5-82-3006700770-424185619-1745488364-794895919-4004696415", "S-1-5-90-0-1", "S-1-5-96-0-1", "S-1-5-32-545",
        "S-1-5-211-1-2-3", "S-1-12-10-1"}) {
    EXPECT_FALSE(IsUserAccountSid(name)) << name;
  }
}

// As SYSTEM with nobody logged on, --all-users finds no one: no failure, the
// machine's part alone.
TEST(CliUsers, WhomAVerbActsFor) {
  using Kind = UserChoice::Kind;
  const std::string person = "S-1-5-21-1-2-3-1001";
  const std::vector<std::string> nobody = {".DEFAULT", "S-1-5-18", "S-1-5-19", "S-1-5-20"};
  const std::vector<std::string> one = {".DEFAULT", person, person + "_Classes", "S-1-5-18"};
  const struct {
    std::vector<std::string> arguments;
    bool system;
    std::vector<std::string> hives;
    UserChoice choice;
  } cases[] = {
      {{"check", "a", "--all-users"}, true, nobody, {Kind::kNobodyLoaded, {}}},
      {{"remove", "a", "--all-users"}, false, {}, {Kind::kNobodyLoaded, {}}},
      {{"check", "a", "--all-users"}, true, one, {Kind::kUsers, {person}}},
      {{"status", "a"}, true, one, {Kind::kRefuseSystem, {}}},
      {{"status", "a"}, false, one, {Kind::kUsers, {""}}},
      {{"check", "a", "--user", "S-1-5-21-9"}, true, nobody, {Kind::kUsers, {"S-1-5-21-9"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseUsers(ParseArguments(c.arguments).options, c.system, c.hives), c.choice) << c.arguments[0];
  }
  // Then the machine's part alone decides: in place, the run answers 0.
  const VerbResult run = AfterUsers(NobodyLoggedOn(Verb::kCheck), IeModeResult(IeModeOutcome{}, "a.b.c"));
  EXPECT_EQ(run.code, kDone);
  ASSERT_EQ(run.shown_first.size(), 1u);
  EXPECT_TRUE(run.shown_first[0].lines[0].ends_with("每个用户下次登录时会自动完成自己的部分。"));
  const test::JsonValue json = test::ParseJson(run.json.Json());
  EXPECT_TRUE(json["users"].items.empty());
  EXPECT_TRUE(json["users_pending"].boolean);
}

// Whether a run changed anything is told by what is stored, not by what was
// written: writing what is there already changes nothing.
TEST(CliChanges, OnlyWhatDiffersFromWhatIsStoredIsAChange) {
  const struct {
    const char* name;
    std::function<int32_t(Registry&)> run;
    bool changed;
  } cases[] = {
      {"same dword",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Open("K") ? 1 : k.SetDword("v", 1);
       },
       false},
      {"other dword",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Open("K") ? 1 : k.SetDword("v", 2);
       },
       true},
      {"same bytes, other type",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Open("K") ? 1 : k.SetBinary("v", DwordBytes(1));
       },
       true},
      {"new value",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Open("K") ? 1 : k.SetString("w", "x");
       },
       true},
      {"key there",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Create("K");
       },
       false},
      {"new key",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Create("K\\L");
       },
       true},
      {"no such value",
       [](Registry& r) {
         RegistryKey k(r);
         return k.Open("K") ? 1 : k.DeleteValue("x") == 2 ? 0 : 1;
       },
       false},
      {"no such key", [](Registry& r) { return r.DeleteKey("M") == 2 ? 0 : 1; }, false},
  };
  for (const auto& c : cases) {
    MemoryRegistry inner;
    test::PutDword(inner, "K", "v", 1);
    ChangeRecordingRegistry recording(inner);
    EXPECT_EQ(c.run(recording), status::kSuccess) << c.name;
    EXPECT_EQ(recording.changed(), c.changed) << c.name;
  }
}

TEST(CliJson, TextsAreAsciiAndReadBackTheSame) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a \"b\" \\ c", R"("a \"b\" \\ c")"},
      {"\t\r\n\x01\x7f", R"("\t\r\n\u0001\u007f")"},
      {"信任站点", R"("\u4fe1\u4efb\u7ad9\u70b9")"},
      {"é😀", R"("\u00e9\ud83d\ude00")"},  // beyond U+FFFF: a surrogate pair
  };
  for (const auto& [text, json] : cases) {
    EXPECT_EQ(JsonText(text), json);
    EXPECT_EQ(test::ParseJson(json).text, text);
  }
  // Bytes that are not UTF-8 still give valid JSON.
  EXPECT_EQ(JsonText("a\xff\xed\xa0\x80"), R"("a\ufffd\ufffd")");
}

TEST(CliOutput, EachSinkGetsTheEncodingItsReaderExpects) {
  struct Case {
    OutputSink sink;
    unsigned console_code_page;  // 0: no console
    unsigned expected;
  };
  const Case cases[] = {
      {OutputSink::kConsole, 936, kUtf16CodePage},
      {OutputSink::kConsole, 65001, kUtf16CodePage},
      {OutputSink::kPipe, 936, 936},
      {OutputSink::kPipe, 437, 437},
      {OutputSink::kPipe, 0, kUtf8CodePage},
      {OutputSink::kFile, 936, kUtf8CodePage},
      {OutputSink::kFile, 0, kUtf8CodePage},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputCodePage(c.sink, c.console_code_page), c.expected) << c.console_code_page;
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
    const VerbResult result = CheckResult(test::CheckTyped(c.address, {.hives = {registry, machine}}, &store));
    EXPECT_EQ(result.code, c.code);
    ASSERT_FALSE(result.lines.empty());
    EXPECT_EQ(result.lines.back(), c.last_line);
    // The closing box is printed once, not twice when it repeats the last line.
    EXPECT_NE(result.lines[result.lines.size() - 2], c.last_line);
  }
}

// Exit codes and JSON come from the outcome alone, whatever a view showed.
TEST(CliCheckResult, CodeAndJsonFollowTheOutcome) {
  const auto outcome = [](std::vector<CheckStep> completed, std::optional<CheckStep> failed,
                          std::vector<uint32_t> locked_actions = {}, std::optional<bool> browser = {}) {
    CheckOutcome o;
    o.completed = std::move(completed);
    o.failed = failed;
    o.diagnosis.locked_actions = std::move(locked_actions);
    o.browser_started = browser;
    return o;
  };
  const std::vector<CheckStep> kAll = {CheckStep::kAddress, CheckStep::kTrustedSite, CheckStep::kPermissions};
  CheckOutcome ie_mode_not_written = outcome(kAll, {});
  ie_mode_not_written.ie_mode.state.ie_retired = true;
  ie_mode_not_written.ie_mode.notes = {IeModeNote::kCannotEnable};
  CheckOutcome ie_mode_for_administrator = ie_mode_not_written;
  ie_mode_for_administrator.ie_mode.machine_part = MachinePart::kNotPermitted;
  ie_mode_not_written.ie_mode.machine_part = MachinePart::kWriteFailed;
  ie_mode_not_written.ie_mode.status = status::kAccessDenied;
  ie_mode_for_administrator.address = "a.b.c";
  struct Case {
    const char* name;
    CheckOutcome outcome;
    ExitCode code;
    std::string json;
    size_t errors = 0;
  };
  const Case cases[] = {
      {"invalid", outcome({}, CheckStep::kAddress), kInvalidAddress, R"("steps":[{"step":"address","ok":false}])"},
      {"trusted site", outcome({CheckStep::kAddress}, CheckStep::kTrustedSite), kFailed,
       R"({"step":"address","ok":true},{"step":"trusted-site","ok":false}])"},
      {"locked", outcome(kAll, {}, {1201, 1809}), kStopped,
       R"("findings":[)" + JsonText("组策略锁定了受信任站点区域的以下设置：1201、1809。") + R"(],"saved":false)"},
      {"browser", outcome(kAll, {}, {}, false), kFailed,
       R"({"step":"permissions","ok":true},{"step":"browser","ok":false}])"},
      {"done", outcome(kAll, {}, {}, true), kDone, R"({"step":"browser","ok":true}],"lines")"},
      {"ie mode not written", ie_mode_not_written, kFailed, R"("saved":false)", 1},
      {"ie mode for an administrator", ie_mode_for_administrator, kStopped,
       JsonText(texts::IeModeNeedsAdministrator("a.b.c")) + R"(],"saved":false)"},
  };
  for (const Case& c : cases) {
    const VerbResult result = CheckResult(c.outcome);
    EXPECT_EQ(result.code, c.code) << c.name;
    EXPECT_EQ(result.errors.size(), c.errors) << c.name;
    const std::string json = result.json.Json();
    EXPECT_NE(json.find(c.json), std::string::npos) << c.name << ": " << json;
    // The machine's IE mode goes beside the users, not in each.
    EXPECT_EQ(json.find("ie_mode"), std::string::npos) << c.name;
    EXPECT_TRUE(result.ie_mode.starts_with(R"({"ie_retired":)")) << c.name;
  }
}

TEST_F(CliVerbs, CheckStepsInJson) {
  test::PutKey(registry_, zone_keys::kZone2);
  store_.fail_with = 5;
  const std::string json =
      CheckResult(test::CheckTyped("a.b.c", {.hives = {registry_, machine_}}, &store_)).json.Json();
  EXPECT_NE(json.find(R"({"step":"permissions","ok":true},{"step":"save","ok":false})"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("findings":[],"saved":false)"), std::string::npos) << json;
}

// A second check of the same site, user's part and machine's, changes nothing.
TEST_F(CliVerbs, ASecondCheckChangesNothing) {
  test::PutKey(registry_, zone_keys::kZone2);
  test::PutString(machine_, ie_mode_keys::kCurrentVersion, ie_mode_keys::kBuildNumber, "22631");
  test::PutString(machine_, ie_mode_keys::kEdgeAppPath, "", "\"C:\\Edge\\msedge.exe\"");
  test::MemoryListFiles files;
  for (const bool first : {true, false}) {
    ChangeRecordingRegistry user(registry_);
    MachineChanges machine(machine_, files);
    const CheckOutcome outcome = CheckSite(
        {.address = ReadSiteAddress("a.b.c"),
         .registries = {.hives = {user, machine_}, .site_lists = &files, .machine_writes = &machine.writes()}});
    ASSERT_EQ(CheckResult(outcome).code, kDone);
    EXPECT_EQ(user.changed(), first);
    EXPECT_EQ(machine.Changed(), first);
  }
  EXPECT_TRUE(files.lists.contains(files.OwnListPath()));
}

TEST_F(CliVerbs, StatusIsMissingUntilTheCheckRan) {
  test::PutKey(registry_, zone_keys::kZone2);
  const ZoneManagerAnswer not_asked;
  const VerbResult before = StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("10.1.2.3"), not_asked));
  EXPECT_EQ(before.code, kMissing);
  EXPECT_EQ(before.lines.front(), texts::kNotTrusted);
  EXPECT_EQ(before.lines.back(), texts::kNotInPlace);
  EXPECT_TRUE(before.json.Json().ends_with(R"("zone_record":false})")) << before.json.Json();

  ASSERT_EQ(CheckResult(test::CheckTyped("10.1.2.3", {.hives = {registry_, machine_}}, nullptr)).code, kDone);
  const VerbResult after = StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("10.1.2.3"), {true, 3}));
  EXPECT_EQ(after.code, kDone);
  EXPECT_EQ(after.lines.back(), texts::kInPlace);
  const std::string json = after.json.Json();
  EXPECT_NE(json.find(R"("registry_zone":2,"zone_manager_zone":3)"), std::string::npos) << json;
  EXPECT_TRUE(json.ends_with(R"("zone_record":true})")) << json;
  EXPECT_NE(std::ranges::find(after.lines, texts::kZoneRecordKept), after.lines.end());
  // The http entry does not trust the host for https.
  const std::string https =
      StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("https://10.1.2.3"))).json.Json();
  EXPECT_NE(https.find(R"("scheme":"https","trusted":false)"), std::string::npos) << https;
}

// The render alone: a report made by hand, no registry.
TEST(CliStatusResult, LinesJsonAndCodeComeFromTheReport) {
  const StatusReport report{
      .address = "https://a.b.c:81",
      .scheme = Scheme::kHttps,
      .site = {.trusted = true, .settings = {{1201, 0, 0}, {2200, 0, std::nullopt}}, .popups_allowed = true},
      .diagnosis = {.enhanced_security = true},
      .zone_manager = {.asked = true, .zone = std::nullopt},
      .ie_mode = {.state = {}, .notes = {IeModeNote::kCannotEnable}, .machine_part = MachinePart::kNotPermitted},
      .may_write_machine = false,
      .zone_record = true,
  };
  const std::vector<std::string> findings = {std::string(orvel::texts::kEnhancedSecurity),
                                             texts::IeModeNeedsAdministrator("https://a.b.c:81")};
  const VerbResult result = StatusResult(report);
  std::vector<std::string> lines = {
      "信任站点：已添加。",
      "安全设置 1201（对未标记为可安全执行脚本的 ActiveX 控件初始化并执行脚本）：0（应为 0）。",
      "安全设置 2200（文件下载自动提示）：未设置（应为 0）。",
      "弹出窗口：已允许。",
      "信任站点区域的原设置已记录（删除本工具的最后一个网站时会恢复）。",
      "浏览器的区域管理器给出的区域：无法查询。"};
  lines.insert(lines.end(), findings.begin(), findings.end());
  lines.emplace_back("设置不全。");
  EXPECT_EQ(result.lines, lines);
  EXPECT_EQ(result.code, kMissing);  // the user's part is a remediation's, before the administrator's
  EXPECT_EQ(result.json.Json(), R"({"scheme":"https","trusted":true,"registry_zone":2,"zone_manager_zone":null,)"
                                R"("settings":[{"action":"1201","expected":0,"actual":0},)"
                                R"({"action":"2200","expected":0,"actual":null}],"popups_allowed":true,"findings":)" +
                                    JsonTexts(findings) + R"(,"in_place":false,"zone_record":true})");
  EXPECT_TRUE(result.ie_mode.starts_with(R"({"ie_retired":false,)")) << result.ie_mode;
}

TEST_F(CliVerbs, FindingsOfTheDiagnosisMakeCheckAndStatusAnswerFive) {
  test::PutKey(registry_, zone_keys::kZone2);
  test::PutDword(machine_, zone_keys::kPolicySettings, zone_keys::kMachineSettingsOnly, 1);
  const VerbResult missing = StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("a.b.c")));
  EXPECT_EQ(missing.code, kMissing);
  EXPECT_EQ(missing.lines.back(), texts::kNotInPlace);
  const VerbResult check = CheckResult(test::CheckTyped("a.b.c", {.hives = {registry_, machine_}}, nullptr));
  EXPECT_EQ(check.code, kStopped);
  const VerbResult status = StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("a.b.c")));
  EXPECT_EQ(status.code, kStopped);
  EXPECT_EQ(status.lines.back(), texts::kInPlaceButStopped);
  EXPECT_NE(
      std::ranges::find(status.lines,
                        "安全设置 1201（对未标记为可安全执行脚本的 ActiveX 控件初始化并执行脚本）：0（应为 0）。"),
      status.lines.end());
  for (const std::string& json : {check.json.Json(), status.json.Json()}) {
    EXPECT_EQ(json.find(R"("findings":[])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("findings":[")"), std::string::npos) << json;
  }
}

TEST(CliExitCodes, SeveralUsersAnswerTheWorst) {
  // In the order 4 > 3 > 2 > 1 > 5 > 0, whichever comes first.
  const std::array<ExitCode, 3> cases[] = {
      {kDone, kStopped, kStopped},
      {kStopped, kMissing, kMissing},
      {kMissing, kStopped, kMissing},
      {kMissing, kBadArguments, kBadArguments},
      {kInvalidAddress, kBadArguments, kInvalidAddress},
      {kFailed, kInvalidAddress, kFailed},
      {kStopped, kFailed, kFailed},
      {kDone, kDone, kDone},
  };
  for (const auto& [a, b, worst] : cases) {
    EXPECT_EQ(Worst(a, b), worst) << a << " " << b;
  }
}

// Read only, a site Edge's IE mode should list and does not is something the
// check adds (1); what an administrator must change stops it (5).
TEST_F(CliVerbs, StatusWeighsIeModeAndReportsWhatItRead) {
  test::PutKey(registry_, zone_keys::kZone2);
  ASSERT_EQ(CheckResult(test::CheckTyped("a.b.c:81", {.hives = {registry_, machine_}}, nullptr)).code, kDone);
  IeModeOutcome ie_mode;
  ie_mode.state = {.ie_retired = true,
                   .edge_path = "C:\\Edge\\msedge.exe",
                   .integration_level = 1,
                   .list = {ListOwner::kOther, "https://list", ""},
                   .listed = std::nullopt,
                   .delay_initial_download = true,
                   .popups_allowed = std::nullopt};
  const std::string for_administrator = texts::IeModeNeedsAdministrator("a.b.c:81");
  const struct {
    std::vector<IeModeNote> notes;
    ExitCode code;
    std::string line;
    bool may_write = true;
    std::optional<bool> listed = std::nullopt;
  } cases[] = {
      {{IeModeNote::kOpensInIeMode}, kDone, std::string(texts::kInPlace)},
      {{IeModeNote::kCannotEnable}, kMissing, texts::IeModeNotSetUp(false)},
      {{IeModeNote::kCannotEnable}, kStopped, for_administrator, false},
      {{IeModeNote::kListUnreadable}, kStopped, std::string(orvel::texts::kIeModeListUnreadable)},
      // Listed, with a policy value missing: incomplete, not missing.
      {{IeModeNote::kCannotEnable},
       kMissing,
       "本网站已在 Edge 的 IE 模式列表中，但本机 Edge 的 IE 模式设置不完整（以管理员身份运行 check 会补全）。",
       true,
       true},
      {{IeModeNote::kCannotEnable}, kStopped, texts::IeModeNeedsAdministrator("a.b.c:81", true), false, true},
  };
  for (const auto& c : cases) {
    ie_mode.notes = c.notes;
    ie_mode.state.listed = c.listed;
    ie_mode.machine_part =
        c.notes == std::vector{IeModeNote::kCannotEnable} ? MachinePart::kNotPermitted : MachinePart::kInPlace;
    const VerbResult status =
        StatusResult(ReadStatus({registry_, machine_}, ReadSiteAddress("a.b.c:81"), {}, ie_mode, c.may_write));
    EXPECT_EQ(status.code, c.code);
    EXPECT_NE(std::ranges::find(status.lines, c.line), status.lines.end()) << c.line;
    // status --machine weighs the machine's part alike, with no user's.
    const VerbResult machine = MachineStatusResult(ie_mode, "a.b.c:81", c.may_write);
    EXPECT_EQ(machine.code, c.code);
    EXPECT_NE(std::ranges::find(machine.lines, c.line), machine.lines.end()) << c.line;
    EXPECT_EQ(status.ie_mode, R"({"ie_retired":true,"edge":"C:\\Edge\\msedge.exe",)"
                              R"("integration_level":1,"delay_initial_download":true,"popups_allowed":null,)"
                              R"("site_list":"https://list",)"
                              R"("site_list_owner":"other","listed":)" +
                                  std::string(c.listed ? "true}" : "null}"));
  }
}

TEST_F(CliVerbs, RemoveReportsAFailedDeleteOnStandardError) {
  test::PutDword(registry_, zone_keys::kZone2, "1001", 3);
  ASSERT_EQ(CheckResult(test::CheckTyped("10.1.2.3", {.hives = {registry_, machine_}}, nullptr)).code, kDone);
  FaultyRegistry faulty(registry_);
  faulty.FailCall(RegistryCall::kDeleteKey, 1, status::kAccessDenied);
  const VerbResult result = RunRemove(faulty, ReadSiteAddress("10.1.2.3"));
  EXPECT_EQ(result.code, kFailed);
  EXPECT_EQ(result.errors.size(), 1u);
  // The host is still trusted, so the zone's settings stay with it.
  EXPECT_EQ(result.lines.back(), texts::kZoneSettingsKept);
  // Then putting 1001 back fails; the record stays for the next removal.
  faulty.FailCall(RegistryCall::kSetValue, 1, status::kAccessDenied);
  const VerbResult unrestored = RunRemove(faulty, ReadSiteAddress("10.1.2.3"));
  EXPECT_EQ(unrestored.code, kFailed);
  EXPECT_EQ(unrestored.errors, std::vector<std::string>{texts::Sentence(texts::kZoneRestoreFailed, "5")});
  const VerbResult again = RunRemove(registry_, ReadSiteAddress("10.1.2.3"));
  EXPECT_EQ(again.code, kDone);
  EXPECT_TRUE(again.errors.empty());
  EXPECT_EQ(again.lines.back(), texts::ZoneSettingsRestored(0));
  EXPECT_NE(again.json.Json().find(R"("zone_settings_kept":false,"zone_restored":true,"zone_values_left":0)"),
            std::string::npos);
  EXPECT_EQ(RunRemove(registry_, ReadSiteAddress("10.1.2.3")).lines.back(), texts::kZoneSettingsNoRecord);
}

// The machine's IE mode list serves every user of it.
TEST(CliRemove, TakesFromTheMachinesListOnlyWhatNoUserNeeds) {
  const struct {
    std::vector<std::string> arguments;
    ExitCode users;
    bool stays;
    bool said;
    bool may_write = true;
  } cases[] = {
      {{"remove", "a.b.c", "--all-users"}, kDone, false, false},
      {{"remove", "https://a.b.c", "--all-users"}, kDone, true, true},  // its http trust stays
      {{"remove", "a.b.c", "--user", "S-1-5-21-1-2-3-1001"}, kDone, true, true},
      {{"remove", "a.b.c", "--all-users"}, kFailed, true, true},
      {{"remove", "x.y"}, kDone, true, false},                         // not on the list: nothing to say
      {{"remove", "a.b.c", "--all-users"}, kDone, true, true, false},  // an administrator's to take
  };
  for (const auto& c : cases) {
    const Options options = ParseArguments(c.arguments).options;
    SCOPED_TRACE(options.address);
    MemoryRegistry machine;
    test::MemoryListFiles files;
    files.lists[files.OwnListPath()] = SiteList{1, {{"a.b.c", "Default", "IE11", true}}};
    const VerbResult result =
        RemoveFromIeModeList(machine, files, options, ReadSiteAddress(options.address), c.users, c.may_write);
    EXPECT_EQ(files.lists.contains(files.OwnListPath()), c.stays);
    EXPECT_EQ(result.code, kDone);
    EXPECT_EQ(result.lines.size(), c.said ? 1u : 0u);
    for (const std::string& line : result.lines) EXPECT_TRUE(line.ends_with("orvel-zone ie-mode a.b.c --remove"));
    EXPECT_NE(result.json.Json().find(c.said ? R"("ie_mode_list_kept":true)" : R"("ie_mode_list_kept":false)"),
              std::string::npos);
  }
}

// The machine's part a process may not write: ie-mode was run to write it,
// check --all-users leaves it to an administrator, as one user's check does.
TEST(CliIeMode, APartThatMayNotBeWrittenFailsIeModeAndStopsTheCheck) {
  IeModeOutcome outcome;
  outcome.state.ie_retired = true;
  outcome.notes = {IeModeNote::kCannotEnable};
  outcome.machine_part = MachinePart::kNotPermitted;
  const VerbResult ie_mode = IeModeResult(outcome);
  EXPECT_EQ(ie_mode.code, kFailed);
  EXPECT_EQ(ie_mode.errors.size(), 1u);
  const VerbResult check = IeModeResult(outcome, "a.b.c");
  EXPECT_EQ(check.code, kStopped);
  EXPECT_TRUE(check.errors.empty());
  EXPECT_EQ(check.lines.back(), texts::IeModeNeedsAdministrator("a.b.c"));
  // Shown after the users, headed, with the worse code of the two.
  VerbResult users;
  users.code = kMissing;
  users.changed = false;
  const VerbResult run = AfterUsers(users, check);
  EXPECT_EQ(run.code, kMissing);
  EXPECT_EQ(run.lines.front(), texts::kMachineHeading);
  EXPECT_EQ(AnyChange(run), false);
}

TEST(CliIeMode, ARemovalThatFailedIsAnErrorAndAFailure) {
  const VerbResult done = IeModeRemovalResult(status::kSuccess);
  EXPECT_EQ(done.code, kDone);
  EXPECT_TRUE(done.errors.empty());
  EXPECT_EQ(done.json.Json(), R"({"result":0})");
  const VerbResult refused = IeModeRemovalResult(folder_status::kLink);
  EXPECT_EQ(refused.code, kFailed);
  EXPECT_EQ(refused.errors, std::vector<std::string>{"%ProgramData%\\ORVEL 是链接或挂载点，不是本工具的文件夹，"
                                                     "未读写其中任何文件，错误代码 4395。"});
  EXPECT_EQ(refused.json.Json(), R"({"result":4395})");
  EXPECT_EQ(texts::WithErrorCode(orvel::texts::kSaveFailed, 5), "网址保存失败，错误代码 5。");
}

// Who can finish the machine's part of IE mode: where the caller could, a
// remediation; where it could not, an administrator. So a user-context
// remediation settles: status and check both answer 5.
TEST(MachinePartCode, ARemediationWhereTheCallerMayWriteElseAnAdministrator) {
  constexpr auto kInPlace = MachinePart::kInPlace;
  constexpr auto kNotThere = MachinePart::kNotPermitted;
  constexpr auto kWriteFailed = MachinePart::kWriteFailed;
  const struct {
    Verb verb;
    MachinePart part;
    bool may_write;
    ExitCode code;
  } cases[] = {
      {Verb::kStatus, kInPlace, false, kDone},      {Verb::kStatus, kNotThere, true, kMissing},
      {Verb::kStatus, kNotThere, false, kStopped},  {Verb::kCheck, kNotThere, false, kStopped},
      {Verb::kCheck, kWriteFailed, true, kFailed},  {Verb::kRemove, kNotThere, false, kDone},
      {Verb::kRemove, kWriteFailed, true, kFailed},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MachinePartCode(c.verb, c.part, c.may_write), c.code)
        << VerbName(c.verb) << static_cast<int>(c.part) << c.may_write;
  }
}

}  // namespace
}  // namespace orvel::cli
