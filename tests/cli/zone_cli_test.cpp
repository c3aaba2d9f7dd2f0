// orvel-zone.exe as deployment scripts run it: exit codes, output redirected
// and on a console, --json read back, and the registry it leaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/json_value.h"
#include "tests/cli/zone_program.h"
#include "tests/e2e/recorder_settings.h"
#include "tests/e2e/scoped_variable.h"
#include "tests/support/registry_lines.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_hive.h"
#include "win/user_account.h"
#include "win/utf16_text.h"
#include "win/win32_registry.h"
#include "zones/zone_keys.h"

namespace orvel::test {
namespace {

using Lines = std::vector<std::string>;

const wchar_t kSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const wchar_t kAllow[] = L"Software\\Microsoft\\Internet Explorer\\New Windows\\Allow";

const Lines kCheckLines = {"正在检查网址......", "网址检查完毕。",     "正在检查信任站点......",
                           "已添加到信任站点。", "正在检查权限......", "检查权限完毕。",
                           "检测完毕。"};

// No site, an empty zone key and no record: a test's removals restore what its checks relaxed.
void ClearSites() {
  for (const std::wstring& key :
       {std::wstring(kSettings) + L"\\ZoneMap\\Domains", std::wstring(kSettings) + L"\\ZoneMap\\Ranges",
        std::wstring(kAllow), std::wstring(kSettings) + L"\\Zones\\2", std::wstring(L"Software\\ORVEL")}) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  }
  // The zone's key is the browser's, on every Windows; a test run before
  // this one may have taken it away.
  HKEY zone = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kSettings) + L"\\Zones\\2").c_str(), 0, nullptr, 0, KEY_READ,
                      nullptr, &zone, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(zone);
  }
}

// The zone map, the zone's settings and the pop-up values, as lines.
Lines SiteLines() {
  Lines lines;
  for (const wchar_t* key : {L"\\ZoneMap", L"\\Zones\\2", L""}) {
    const std::wstring path = *key != L'\0' ? std::wstring(kSettings) + key : std::wstring(kAllow);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) continue;
    for (const std::string& line : RegistryLines(opened)) lines.push_back(WideToUtf8(path) + "\\" + line);
    RegCloseKey(opened);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

JsonValue Json(const ZoneRun& run) {
  EXPECT_EQ(OutputLines(run.out).size(), 1u) << run.out;
  EXPECT_TRUE(std::ranges::all_of(run.out, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) << run.out;
  return ParseJson(run.out);
}

struct Site {
  const wchar_t* address;
  const char* host;
  const char* kind;
  const char* scheme;
};
constexpr Site kSites[] = {
    {L"http://portal.orvel.example.cn:8080/app", "portal.orvel.example.cn", "domain", "http"},
    {L" 10.20.30.40/app ", "10.20.30.40", "numeric", "http"},
    {L"HTTPS://10.20.30.41:8443/app", "10.20.30.41", "numeric", "https"},
};

TEST(ZoneCli, EachVerbOnADomainAndANumericAddress) {
  for (const Site& site : kSites) {
    SCOPED_TRACE(site.host);
    ClearSites();
    EXPECT_EQ(RunZone({L"status", site.address}).exit_code, 1);

    const ZoneRun check = RunZone({L"check", site.address, L"--json"});
    EXPECT_EQ(check.exit_code, 0) << check.err;
    const JsonValue checked = Json(check);
    EXPECT_EQ(checked["verb"].text, "check");
    EXPECT_EQ(checked["host"].text, site.host);
    EXPECT_EQ(checked["kind"].text, site.kind);
    EXPECT_EQ(checked["exit_code"].number, 0);
    ASSERT_EQ(checked["users"].items.size(), 1u);
    const JsonValue& user = checked["users"][0];
    EXPECT_TRUE(user["user"].is_null());
    EXPECT_EQ(user["messages"].items.size(), 1u);
    EXPECT_EQ(user["messages"][0].text, "检测完毕。");
    ASSERT_EQ(user["steps"].items.size(), 3u);
    for (const JsonValue& step : user["steps"].items) EXPECT_TRUE(step["ok"].boolean) << step["step"].text;
    EXPECT_TRUE(user["findings"].items.empty());
    EXPECT_TRUE(user["changed"].boolean);
    EXPECT_TRUE(checked["changed"].boolean);
    const ZoneRun again = RunZone({L"check", site.address, L"--json"});
    EXPECT_FALSE(Json(again)["changed"].boolean) << again.out;

    const ZoneRun status = RunZone({L"status", site.address, L"--json"});
    EXPECT_EQ(status.exit_code, 0) << status.out;
    const JsonValue status_json = Json(status);
    const JsonValue& found = status_json["users"][0];
    EXPECT_TRUE(found["in_place"].boolean);
    EXPECT_EQ(found["scheme"].text, site.scheme);
    EXPECT_EQ(found["registry_zone"].number, 2);
    // Reported beside the registry's answer; Wine's does not read Ranges.
    EXPECT_EQ(found["zone_manager_zone"].kind, JsonValue::Kind::kNumber);
    ASSERT_EQ(found["settings"].items.size(), 8u);
    for (const JsonValue& setting : found["settings"].items) {
      EXPECT_EQ(setting["actual"].number, setting["expected"].number) << setting["action"].text;
    }

    const ZoneRun exported = RunZone({L"export", site.address});
    EXPECT_EQ(exported.exit_code, 0);
    EXPECT_TRUE(exported.out.starts_with("Windows Registry Editor Version 5.00\r\n")) << exported.out;
    EXPECT_NE(exported.out.find("\"" + std::string(site.host) + "\"=hex:00,00\r\n"), std::string::npos);
    EXPECT_NE(exported.out.find("\"" + std::string(site.scheme) + "\"=dword:00000002\r\n"), std::string::npos);

    const ZoneRun removed = RunZone({L"remove", site.address, L"--json"});
    EXPECT_EQ(removed.exit_code, 0) << removed.err;
    const JsonValue removed_json = Json(removed);
    const JsonValue& taken = removed_json["users"][0];
    EXPECT_GE(taken["removed"].items.size(), 2u);
    EXPECT_TRUE(taken["zone_restored"].boolean);
    EXPECT_FALSE(taken["zone_settings_kept"].boolean);
    EXPECT_EQ(RunZone({L"status", site.address}).exit_code, 1);
  }
}

// The zone's settings as the user had them before the tool's first check come
// back with its last site's removal, but for the one the user changed since.
TEST(ZoneCli, RemoveOfTheLastSitePutsTheZoneBack) {
  ClearSites();
  Win32Registry user(HKEY_CURRENT_USER);
  PutDword(user, zone_keys::kZone2, "1001", 3);
  PutDword(user, zone_keys::kZone2, "1809", 1);
  PutString(user, zone_keys::kZone2, "1200", "3");
  // The zone's lines alone: an empty Ranges key stays after the removal.
  const auto zone_lines = [] {
    Lines lines = SiteLines();
    std::erase_if(lines, [](const std::string& line) { return line.find("\\Zones\\2\\|") == std::string::npos; });
    return lines;
  };
  const Lines before = zone_lines();

  ASSERT_EQ(RunZone({L"check", L"10.20.30.50"}).exit_code, 0);
  EXPECT_TRUE(Json(RunZone({L"status", L"10.20.30.50", L"--json"}))["users"][0]["zone_record"].boolean);
  PutDword(user, zone_keys::kZone2, "1201", 1);
  const ZoneRun removed = RunZone({L"remove", L"10.20.30.50", L"--json"});
  EXPECT_EQ(removed.exit_code, 0) << removed.err;
  const JsonValue removed_json = Json(removed);
  const JsonValue& taken = removed_json["users"][0];
  EXPECT_TRUE(taken["zone_restored"].boolean);
  EXPECT_EQ(taken["zone_values_left"].number, 1);

  Lines expected = before;
  expected.push_back(WideToUtf8(kSettings) + "\\Zones\\2\\|1201=4:01000000");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(zone_lines(), expected);
  EXPECT_FALSE(HasKey(user, zone_keys::kZoneRecordParent));
}

struct ExitCase {
  std::vector<std::wstring> arguments;
  int exit_code;
};

TEST(ZoneCli, ExitCodesAndOneErrorLine) {
  const ExitCase cases[] = {
      {{L"--help"}, 0},
      {{L"--version"}, 0},
      {{L"frob", L"a.b.c"}, 2},
      {{L"check"}, 2},
      {{L"status", L"a.b.c", L"--user", L"bob"}, 2},
      {{L"export", L"a.b.c", L"--all-users"}, 2},
      {{L"check", L"ftp://a.b.c/"}, 3},
      {{L"remove", L"a..b"}, 3},
      {{L"export", L"*.example.cn", L"--site-list"}, 3},
      {{L"status", L"  ", L"--json"}, 3},
      {{L"status", L"a.b.c", L"--user", L"S-1-5-21-1-2-3-4"}, 4},
      {{L"export", L"a.b.c", L"--out", L"Z:\\no-such-folder-for-orvel\\x.reg"}, 4},
  };
  ClearSites();
  const Lines before = SiteLines();
  for (const ExitCase& c : cases) {
    std::wstring joined;
    for (const std::wstring& argument : c.arguments) joined += argument + L" ";
    SCOPED_TRACE(WideToUtf8(joined));
    const ZoneRun run = RunZone(c.arguments);
    EXPECT_EQ(run.exit_code, c.exit_code);
    if (c.exit_code == 0) {
      EXPECT_TRUE(run.err.empty());
      EXPECT_FALSE(run.out.empty());
    } else {
      const Lines errors = OutputLines(run.err);
      ASSERT_EQ(errors.size(), 1u) << run.err;
      EXPECT_TRUE(errors[0].starts_with("orvel-zone: ")) << errors[0];
    }
  }
  // As the logon runs it: the same exit code, nothing printed.
  const ZoneRun quiet = RunZone({L"check", L"ftp://a.b.c/", L"--quiet"});
  EXPECT_EQ(quiet.exit_code, 3);
  EXPECT_EQ(quiet.out + quiet.err, "");
  EXPECT_EQ(SiteLines(), before);
}

TEST(ZoneCli, RemoveLeavesTheOtherHostByteForByte) {
  const std::pair<const wchar_t*, const wchar_t*> pairs[] = {{L"a.x.example.cn", L"b.x.example.cn"},
                                                             {L"10.0.0.1", L"10.0.0.2"}};
  for (const auto& [removed, other] : pairs) {
    SCOPED_TRACE(WideToUtf8(removed));
    ClearSites();
    ASSERT_EQ(RunZone({L"check", removed}).exit_code, 0);
    const Lines with_one = SiteLines();
    ASSERT_EQ(RunZone({L"check", other}).exit_code, 0);
    const Lines with_both = SiteLines();
    Lines others;
    std::set_difference(with_both.begin(), with_both.end(), with_one.begin(), with_one.end(),
                        std::back_inserter(others));
    ASSERT_FALSE(others.empty());

    ASSERT_EQ(RunZone({L"remove", removed}).exit_code, 0);
    const Lines after = SiteLines();
    EXPECT_TRUE(std::includes(with_both.begin(), with_both.end(), after.begin(), after.end()));
    EXPECT_TRUE(std::includes(after.begin(), after.end(), others.begin(), others.end()));
    EXPECT_LT(after.size(), with_both.size());
    EXPECT_EQ(RunZone({L"status", removed}).exit_code, 1);
    EXPECT_EQ(RunZone({L"status", other}).exit_code, 0);
  }
}

TEST(ZoneCli, UserSidNamesTheSameHive) {
  const std::string sid = ProcessUserSid(GetCurrentProcess());
  ASSERT_TRUE(sid.starts_with("S-1-5-21-")) << sid;
  ClearSites();
  const ZoneRun check = RunZone({L"check", L"10.9.0.1", L"--user", Utf8ToWide(sid), L"--json"});
  EXPECT_EQ(check.exit_code, 0) << check.err;
  EXPECT_EQ(Json(check)["users"][0]["user"].text, sid);
  EXPECT_EQ(RunZone({L"status", L"10.9.0.1"}).exit_code, 0);

  const ZoneRun all = RunZone({L"status", L"10.9.0.1", L"--all-users"});
  EXPECT_EQ(all.exit_code, 0) << all.out;
  const Lines lines = OutputLines(all.out);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "用户 " + sid + "："), lines.end()) << all.out;
}

// Stand-ins for loaded hives, in the test prefix: an Entra ID user's is
// written, an IIS application pool's is not.
TEST(ZoneCli, AllUsersTakesPeoplesHivesOnly) {
  const std::wstring entra = L"S-1-12-1-1441651811-1196487346-2716447394-3523307108";
  const std::wstring app_pool = L"S-1-5-82-3006700770-424185619-1745488364-794895919-4004696415";
  for (const std::wstring& sid : {entra, app_pool}) {
    HKEY made = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_USERS, (sid + L"\\" + kSettings + L"\\Zones\\2").c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &made, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(made);
  }
  ClearSites();
  const ZoneRun all = RunZone({L"check", L"10.9.0.3", L"--all-users"});
  EXPECT_EQ(all.exit_code, 0) << all.out << all.err;
  const Lines lines = OutputLines(all.out);
  for (const std::wstring& sid : {entra, app_pool}) {
    const bool person = sid == entra;
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "用户 " + WideToUtf8(sid) + "：") != lines.end(), person);
    DWORD policy = 1, size = sizeof policy;
    EXPECT_EQ(RegGetValueW(HKEY_USERS, (sid + L"\\" + kSettings + L"\\Zones\\2").c_str(), L"1201", RRF_RT_REG_DWORD,
                           nullptr, &policy, &size) == ERROR_SUCCESS &&
                  policy == 0,
              person);
    RegDeleteTreeW(HKEY_USERS, sid.c_str());
    RegDeleteKeyW(HKEY_USERS, sid.c_str());
  }
}

TEST(ZoneCli, RedirectedOutputIsInTheCodePageItsReaderExpects) {
  ClearSites();
  const ZoneRun alone = RunZone({L"check", L"a.b.example.cn"});
  EXPECT_EQ(alone.exit_code, 0);
  EXPECT_EQ(OutputLines(alone.out), kCheckLines);
  EXPECT_TRUE(alone.out.ends_with("\r\n"));

  // Windows PowerShell decodes a pipe with its console's output code page.
  ClearSites();
  const ZoneRun piped = RunZoneWithConsole({L"check", L"a.b.example.cn"}, 936);
  EXPECT_EQ(piped.exit_code, 0);
  EXPECT_TRUE(piped.out.ends_with("\xbc\xec\xb2\xe2\xcd\xea\xb1\xcf\xa1\xa3\r\n")) << piped.out;  // 检测完毕。
}

TEST(ZoneCli, ConsoleShowsTheChineseText) {
  ClearSites();
  int exit_code = -1;
  const std::vector<std::wstring> shown = RunZoneOnConsole({L"check", L"a.b.example.cn"}, exit_code);
  EXPECT_EQ(exit_code, 0);
  std::vector<std::wstring> expected;
  for (const std::string& line : kCheckLines) expected.push_back(Utf8ToWide(line));
  EXPECT_EQ(shown, expected);
}

TEST(ZoneCli, SetAddressWritesOnlyCaDat) {
  TempFolder folder;
  const std::wstring program = folder.path() + L"\\orvel-zone.exe";
  ASSERT_TRUE(CopyFileW(ZoneProgram().c_str(), program.c_str(), FALSE));
  const std::wstring saved = folder.path() + L"\\ca.dat";
  ClearSites();
  const Lines before = SiteLines();

  EXPECT_EQ(RunZone({L"set-address", L"  http://10.1.2.3/orvel "}, program).exit_code, 0);
  EXPECT_EQ(ReadBytes(saved), "http://10.1.2.3/orvel\r\n");
  EXPECT_EQ(RunZone({L"set-address", L"ftp://10.1.2.3/"}, program).exit_code, 3);
  EXPECT_EQ(ReadBytes(saved), "http://10.1.2.3/orvel\r\n");
  EXPECT_EQ(SiteLines(), before);

  // check keeps the address only when asked to.
  EXPECT_EQ(RunZone({L"check", L"a.b.example.cn"}, program).exit_code, 0);
  EXPECT_EQ(ReadBytes(saved), "http://10.1.2.3/orvel\r\n");
  EXPECT_EQ(RunZone({L"check", L"a.b.example.cn", L"--save"}, program).exit_code, 0);
  EXPECT_EQ(ReadBytes(saved), "a.b.example.cn\r\n");

  SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_READONLY);
  const ZoneRun refused = RunZone({L"set-address", L"10.1.2.4"}, program);
  EXPECT_EQ(refused.exit_code, 4);
  EXPECT_EQ(OutputLines(refused.err).size(), 1u);
  EXPECT_EQ(ReadBytes(saved), "a.b.example.cn\r\n");
  SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// status asks urlmon.dll for the zone; the one planted beside the program
// would end it with 86 (cli_tests.sh has Wine load a urlmon.dll file its
// search finds, as Windows does, rather than its own).
TEST(ZoneCli, ADllBesideTheProgramIsNotLoaded) {
  TempFolder folder;
  const std::wstring program = folder.path() + L"\\orvel-zone.exe";
  ASSERT_TRUE(CopyFileW(ZoneProgram().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(PlantedDll().c_str(), (folder.path() + L"\\urlmon.dll").c_str(), FALSE));
  ClearSites();
  const ZoneRun status = RunZone({L"status", L"a.b.example.cn", L"--json"}, program);
  EXPECT_EQ(status.exit_code, 1);
  EXPECT_EQ(Json(status)["users"][0]["zone_manager_zone"].kind, JsonValue::Kind::kNumber) << status.out;
}

TEST(ZoneCli, LoginStartsTheBrowserAfterTheCheck) {
  TempFolder folder;
  const std::wstring browser_folder = folder.path() + L"\\Internet Explorer";
  const std::wstring browser = browser_folder + L"\\iexplore.exe";
  const std::wstring record = folder.path() + L"\\record.txt";
  ASSERT_TRUE(CreateDirectoryW(browser_folder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(StandInBrowser().c_str(), browser.c_str(), FALSE));
  const e2e::ScopedVariable program_files(L"ProgramFiles(x86)", folder.path().c_str());
  e2e::WriteRecorderSettings(browser_folder, record, {});
  ClearSites();

  // What follows the host reaches the browser inside its one URL, never as a switch.
  EXPECT_EQ(RunZone({L"check", L"a.b.example.cn/x --remote-debugging-port=9222", L"--login"}).exit_code, 0);
  for (int wait = 0; wait < 200 && GetFileAttributesW(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait) Sleep(50);
  const std::string bytes = ReadBytes(record);
  const std::wstring started(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  EXPECT_NE(started.find(L" http://a.b.example.cn/x%20--remote-debugging-port=9222"), std::wstring::npos)
      << WideToUtf8(started);
  EXPECT_EQ(started.find(L" --remote"), std::wstring::npos) << WideToUtf8(started);

  // Not started after a failed check, and a browser that is not there is reported.
  DeleteFileW(record.c_str());
  EXPECT_EQ(RunZone({L"check", L"ftp://a.b.example.cn/", L"--login"}).exit_code, 3);
  ASSERT_TRUE(DeleteFileW(browser.c_str()));
  const ZoneRun missing = RunZone({L"check", L"a.b.example.cn", L"--login"});
  EXPECT_EQ(missing.exit_code, 4);
  Lines shown = kCheckLines;
  shown.emplace_back("浏览器启动失败。");
  shown.emplace_back("本次运行没有更改任何设置。");
  EXPECT_EQ(OutputLines(missing.out), shown);
  EXPECT_EQ(GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES);
}

const wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t kEdgeAppPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msedge.exe";
const wchar_t kEdgePolicy[] = L"SOFTWARE\\Policies\\Microsoft\\Edge";
const wchar_t kToolKey[] = L"SOFTWARE\\ORVEL";

// The machine's keys in the 64-bit view, where the programs read them, from
// the x86 tests too.
std::wstring MachineText(const wchar_t* key, const wchar_t* name) {
  wchar_t text[MAX_PATH] = {};
  DWORD size = sizeof text;
  UniqueKey opened;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, opened.put()) == ERROR_SUCCESS) {
    RegGetValueW(opened.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size);
  }
  return text;
}

void SetMachineText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  UniqueKey opened;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                            opened.put(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(opened.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

bool MachineKeyExists(const wchar_t* key) {
  UniqueKey opened;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, opened.put()) == ERROR_SUCCESS;
}

void DeleteMachineKey(const wchar_t* key) {
  UniqueKey opened;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, opened.put()) == ERROR_SUCCESS) {
    RegDeleteTreeW(opened.get(), nullptr);
  }
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, KEY_WOW64_64KEY, 0);
}

// Where IE is retired and Edge is there; whatever a test does, the ones after
// it find the machine as it was.
class IeRetired : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileW(StandInBrowser().c_str(), edge_.c_str(), FALSE));
    wchar_t program_data[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ProgramData", program_data, MAX_PATH);
    own_folder_ = std::wstring(program_data) + L"\\ORVEL";
    SetMachineText(kCurrentVersion, L"CurrentBuildNumber", L"22631");
    SetMachineText(kEdgeAppPath, nullptr, edge_);
    ClearSites();
  }
  void TearDown() override {
    SetMachineText(kCurrentVersion, L"CurrentBuildNumber", build_);
    for (const wchar_t* key : {kEdgeAppPath, kEdgePolicy, kToolKey}) DeleteMachineKey(key);
    DeleteFileW((own_folder_ + L"\\ie-mode-sites.xml").c_str());
    RemoveDirectoryW(own_folder_.c_str());
  }

  TempFolder folder_;
  const std::wstring edge_ = folder_.path() + L"\\msedge.exe";
  const std::wstring build_ = MachineText(kCurrentVersion, L"CurrentBuildNumber");
  std::wstring own_folder_;
};

// check sets IE mode up for the site, status reports it, and remove for all
// users takes back all the check set.
TEST_F(IeRetired, CheckSetsIeModeUpAndRemoveTakesItBack) {
  const ZoneRun check = RunZone({L"check", L"a.b.example.cn"});
  EXPECT_EQ(check.exit_code, 0) << check.err;
  Lines shown(kCheckLines.begin(), kCheckLines.end() - 1);
  shown.insert(shown.end(), {"本机 IE 已停用，登录时将用 Edge 的 IE 模式打开。",
                             "已将本网站加入 Edge 的 IE 模式列表，请关闭 Edge 后再登录。",
                             "如果 Edge 仍拦截本网站的弹出窗口，请在 Edge 的“设置”→“Cookie "
                             "和网站权限”→“弹出窗口和重定向”中，将本网站添加到“允许”。",
                             "检测完毕。"});
  EXPECT_EQ(OutputLines(check.out), shown);

  const ZoneRun status = RunZone({L"status", L"a.b.example.cn", L"--json"});
  EXPECT_EQ(status.exit_code, 0) << status.out;
  const JsonValue status_json = Json(status);
  // The machine's: once, beside the users.
  const JsonValue& ie_mode = status_json["ie_mode"];
  EXPECT_EQ(std::ranges::count(status_json["users"][0].names, "ie_mode"), 0) << status.out;
  EXPECT_TRUE(ie_mode["ie_retired"].boolean);
  EXPECT_EQ(ie_mode["site_list_owner"].text, "orvel");
  EXPECT_TRUE(ie_mode["listed"].boolean) << status.out;
  EXPECT_TRUE(ie_mode["delay_initial_download"].boolean) << status.out;
  EXPECT_TRUE(ie_mode["popups_allowed"].boolean) << status.out;
  EXPECT_EQ(MachineText(L"SOFTWARE\\Policies\\Microsoft\\Edge\\PopupsAllowedForUrls", L"1"), L"a.b.example.cn");
  const ZoneRun machine = RunZone({L"status", L"a.b.example.cn", L"--machine", L"--json"});
  EXPECT_EQ(machine.exit_code, 0) << machine.out;
  EXPECT_TRUE(Json(machine)["ie_mode"]["listed"].boolean) << machine.out;

  // For every user, the machine's part once after theirs: in place, so
  // nothing changes.
  const ZoneRun all = RunZone({L"check", L"a.b.example.cn", L"--all-users", L"--json"});
  EXPECT_EQ(all.exit_code, 0) << all.out;
  const JsonValue all_json = Json(all);
  EXPECT_TRUE(all_json["ie_mode"]["listed"].boolean) << all.out;
  EXPECT_EQ(std::ranges::count(all_json["users"][0].names, "ie_mode"), 0) << all.out;
  EXPECT_FALSE(all_json["machine_changed"].boolean) << all.out;
  EXPECT_FALSE(all_json["changed"].boolean) << all.out;

  // One user leaving takes nothing from the list the machine's users share.
  const std::wstring list_file = own_folder_ + L"\\ie-mode-sites.xml";
  const std::string list = ReadBytes(list_file);
  EXPECT_FALSE(list.empty());
  const std::wstring sid = Utf8ToWide(ProcessUserSid(GetCurrentProcess()));
  const ZoneRun one = RunZone({L"remove", L"a.b.example.cn", L"--user", sid});
  EXPECT_EQ(one.exit_code, 0) << one.err;
  EXPECT_EQ(ReadBytes(list_file), list);
  // A user's error shows between its heading and the machine's line.
  int exit_code = -1;
  std::wstring console;
  for (const std::wstring& line :
       RunZoneOnConsole({L"remove", L"a.b.example.cn", L"--user", L"S-1-5-21-9-9-9-1001"}, exit_code)) {
    console += line;  // long lines wrap
  }
  EXPECT_EQ(exit_code, 4);
  const size_t heading = console.find(L"用户 S-1-5-21-9-9-9-1001："), error = console.find(L"orvel-zone: 无法打开"),
               kept = console.find(L"本网站仍在本机的 Edge IE 模式列表中");
  EXPECT_TRUE(heading < error && error < kept && kept != std::wstring::npos) << WideToUtf8(console);

  const ZoneRun removed = RunZone({L"remove", L"a.b.example.cn", L"--all-users"});
  EXPECT_EQ(removed.exit_code, 0) << removed.err;
  EXPECT_FALSE(MachineKeyExists(kEdgePolicy));
  // Only the list's highest version stays, for a list made again.
  EXPECT_FALSE(MachineKeyExists(L"SOFTWARE\\ORVEL\\IeMode"));
  EXPECT_TRUE(MachineKeyExists(kToolKey));
  EXPECT_EQ(GetFileAttributesW(own_folder_.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A link in place of the tool's folder: nothing behind it is read, written
// or deleted, and the console says why.
TEST_F(IeRetired, ALinkInPlaceOfTheFolderIsNeverFollowed) {
  const std::wstring planted = folder_.path() + L"\\planted";
  ASSERT_TRUE(CreateDirectoryW(planted.c_str(), nullptr));
  const std::string xml =
      R"(<site-list version="1"><site url="a.b.example.cn"><open-in>IE11</open-in></site></site-list>)";
  WriteBytes(planted + L"\\ie-mode-sites.xml", xml);
  const FolderLink link(own_folder_, planted);
  ASSERT_TRUE(link.made());
  const std::string why =
      "%ProgramData%\\ORVEL 是链接或挂载点，不是本工具的文件夹，未读写其中任何文件，错误代码 4395。";

  const ZoneRun check = RunZone({L"check", L"a.b.example.cn"});
  EXPECT_EQ(check.exit_code, 4);
  EXPECT_EQ(OutputLines(check.err), Lines{"orvel-zone: " + why});
  const ZoneRun removed = RunZone({L"ie-mode", L"--remove-all"});
  EXPECT_EQ(removed.exit_code, 4);
  EXPECT_EQ(OutputLines(removed.err), Lines{"orvel-zone: " + why});
  EXPECT_FALSE(MachineKeyExists(kToolKey));
  EXPECT_EQ(FolderEntries(planted), std::vector<std::wstring>{L"ie-mode-sites.xml"});
  EXPECT_EQ(ReadBytes(planted + L"\\ie-mode-sites.xml"), xml);
}

}  // namespace
}  // namespace orvel::test
