#include <gtest/gtest.h>

#include <map>

#include "iemode/ie_mode_keys.h"
#include "iemode/ie_mode_setup.h"
#include "iemode/ie_retired.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_list_files.h"
#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"

namespace orvel {
namespace {

using namespace ie_mode_keys;
using test::GetDword;
using test::GetValue;
using test::PutDword;
using test::PutString;

using test::kEdge;
using test::kOwnPath;
using test::MemoryListFiles;
constexpr std::string_view kOwnUrl = "file:///C:/ProgramData/ORVEL/ie-mode-sites.xml";

SiteEntry Ie11(std::string url) { return {std::move(url), "Default", "IE11", true}; }

TEST(IeRetired, FollowsBuildEditionInstallationTypeAndPolicy) {
  const std::pair<WindowsFacts, bool> cases[] = {
      {{"22631", "Professional", "Client"}, true},
      {{"22000", "EnterpriseS", "Client"}, true},  // Windows 11 keeps no IE, LTSC or not
      {{"19045", "Professional", "Client"}, true},
      {{"10240", "Core", "Client"}, true},
      {{"19044", "EnterpriseS", "Client"}, false},
      {{"17763", "enterprisesn", "Client"}, false},
      {{"19044", "IoTEnterpriseS", "Client"}, false},
      {{"19044", "EnterpriseG", "Client"}, true},  // the government edition is built on Enterprise
      {{"19044", "EnterpriseGN", "Client"}, true},
      {{"20348", "ServerStandard", "Server"}, false},
      {{"17763", "ServerDatacenter", "Server Core"}, false},
      {{"9600", "Professional", "Client"}, false},
      {{"7601", "Ultimate", "Client", true}, true},
      {{"20348", "ServerStandard", "Server", true}, true},
      {{"", "", ""}, false},
      {{"22631x", "Professional", "Client"}, false},
      // Without Edge, only Windows 11 or the policy make it certain.
      {{"19045", "Professional", "Client", false, false}, false},
      {{"19045", "Professional", "Client", true, false}, true},
      {{"22631", "Professional", "Client", false, false}, true},
  };
  for (const auto& [facts, retired] : cases) {
    SCOPED_TRACE(facts.build_number + " " + facts.edition_id + " " + facts.installation_type);
    EXPECT_EQ(IsIeRetired(facts), retired);
  }
  MemoryRegistry machine;
  MemoryRegistry user;
  PutString(machine, kCurrentVersion, kBuildNumber, "19045");
  PutString(machine, kCurrentVersion, kEditionId, "EnterpriseS");
  PutString(machine, kCurrentVersion, kInstallationType, "Client");
  EXPECT_FALSE(IsIeRetired(ReadWindowsFacts({user, machine})));
  PutDword(user, kIePolicy, kDisableIeApp, 1);
  EXPECT_TRUE(IsIeRetired(ReadWindowsFacts({user, machine})));
}

TEST(ListInForce, CloudThenEdgeMachineThenUserThenEnterpriseMode) {
  struct Put {
    bool machine;
    std::string_view path, name, text;
  };
  struct Case {
    std::vector<Put> puts;
    ListInForce expected;
  };
  const Put cloud{false, kEdgePolicy, kCloudSiteList, "https://cloud"};
  const Put edge_machine{true, kEdgePolicy, kSiteList, "\\\\srv\\share\\sites.xml"};
  const Put edge_user{false, kEdgePolicy, kSiteList, "file:///D:/My%20Lists/sites.xml"};
  const Put ie_list{true, kEnterpriseMode, kEnterpriseSiteList, "https://intranet/sites.xml"};
  const Case cases[] = {
      {{}, {}},
      {{edge_machine, edge_user, ie_list, cloud}, {ListOwner::kCloud, "https://cloud", ""}},
      {{edge_user, edge_machine, ie_list},
       {ListOwner::kOther, "\\\\srv\\share\\sites.xml", "\\\\srv\\share\\sites.xml"}},
      {{edge_user, ie_list}, {ListOwner::kOther, "file:///D:/My%20Lists/sites.xml", "D:\\My Lists\\sites.xml"}},
      {{ie_list}, {ListOwner::kOther, "https://intranet/sites.xml", ""}},
      {{{true, kEdgePolicy, kSiteList, "FILE:///c:/programdata/orvel/IE-MODE-SITES.XML"}},
       {ListOwner::kTool, "FILE:///c:/programdata/orvel/IE-MODE-SITES.XML",
        "c:\\programdata\\orvel\\IE-MODE-SITES.XML"}},
      {{{false, kEnterpriseMode, kEnterpriseSiteList, "C:/ProgramData/ORVEL/ie-mode-sites.xml"}},
       {ListOwner::kTool, "C:/ProgramData/ORVEL/ie-mode-sites.xml", std::string(kOwnPath)}},
      {{{true, kEdgePolicy, kSiteList, "file://srv/share/a.xml"}},
       {ListOwner::kOther, "file://srv/share/a.xml", "\\\\srv\\share\\a.xml"}},
  };
  for (const Case& c : cases) {
    MemoryRegistry machine;
    MemoryRegistry user;
    for (const Put& put : c.puts) PutString(put.machine ? machine : user, put.path, put.name, put.text);
    test::MemoryListFiles files;
    const ListInForce found = ReadListInForce({user, machine}, files);
    EXPECT_EQ(found, c.expected) << c.expected.location;
  }
  EXPECT_EQ(FileUrl(kOwnPath), kOwnUrl);
}

TEST(ListInForce, IntegrationLevelMachineFirst) {
  MemoryRegistry machine;
  MemoryRegistry user;
  EXPECT_EQ(ReadIntegrationLevel({user, machine}), std::nullopt);
  PutDword(user, kEdgePolicy, kLevel, 2);
  EXPECT_EQ(ReadIntegrationLevel({user, machine}), 2u);
  PutDword(machine, kEdgePolicy, kLevel, 0);
  EXPECT_EQ(ReadIntegrationLevel({user, machine}), 0u);
}

TEST(SiteList, ListedByHostPortOrPathInIe11Only) {
  const Site site{.host = "Portal.Example.cn"};
  const Site on_8080{.host = "portal.example.cn", .port = 8080};
  const Site https{.host = "portal.example.cn", .scheme = Scheme::kHttps};
  const Site login{.host = "portal.example.cn", .path = "/Login/x.aspx"};
  const SiteEntry msedge{"portal.example.cn", "Default", "MSEdge", false};
  const struct {
    std::vector<SiteEntry> sites;
    Site target;
    bool listed;
  } cases[] = {
      {{Ie11("portal.example.cn")}, site, true},
      {{Ie11("PORTAL.EXAMPLE.CN")}, on_8080, false},  // a bare host is the default port only
      {{Ie11("portal.example.cn")}, https, true},
      {{Ie11("portal.example.cn")}, {.host = "portal.example.cn", .port = 443}, false},
      {{Ie11("portal.example.cn:8080")}, on_8080, true},
      {{Ie11("portal.example.cn:8080")}, site, false},
      {{Ie11("portal.example.cn:80")}, site, true},
      {{Ie11("portal.example.cn:80")}, https, false},
      {{Ie11("portal.example.cn:443")}, https, true},
      {{Ie11("portal.example.cn:x")}, site, false},
      {{Ie11("portal.example.cn/login/x.aspx")}, site, false},
      {{Ie11("portal.example.cn/login")}, login, true},  // paths compare without case
      {{Ie11("portal.example.cn/login/y")}, login, false},
      {{Ie11("portal.example.cn/")}, login, true},
      {{Ie11("portal.example.cn:8080/app")}, {.host = "portal.example.cn", .port = 8080, .path = "/app/a"}, true},
      {{Ie11("portal.example.cn:8080/app")}, on_8080, false},
      {{Ie11("*.example.cn")}, {.host = "*.example.cn"}, false},
      {{Ie11("other.example.cn"), Ie11("example.cn"), Ie11("portal.example.cn.evil")}, site, false},
      {{msedge}, site, false},
      // The first <site> of a url overrules the later ones.
      {{msedge, Ie11("Portal.Example.cn")}, site, false},
      {{Ie11("portal.example.cn"), msedge}, site, true},
      {{{"portal.example.cn", "", "ie11", false}}, site, true},
      {{}, site, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sites.empty() ? "none" : c.sites.front().url);
    EXPECT_EQ(ListsSite(SiteList{1, c.sites}, c.target), c.listed);
  }
}

TEST(SiteList, EntryUrlAddRemoveAndXml) {
  EXPECT_EQ(SiteEntryUrl({.host = "a.b.c"}), "a.b.c");
  EXPECT_EQ(SiteEntryUrl({.host = "a.b.c", .port = 80}), "a.b.c");
  EXPECT_EQ(SiteEntryUrl({.host = "a.b.c", .port = 443}), "a.b.c:443");
  EXPECT_EQ(SiteEntryUrl({.host = "a.b.c", .scheme = Scheme::kHttps, .port = 443}), "a.b.c");
  EXPECT_EQ(SiteEntryUrl({.host = "a.b.c", .scheme = Scheme::kHttps, .port = 80}), "a.b.c:80");

  const SiteEntry kept{"kept.cn/x", "IE8Enterprise", "IE11", false};
  SiteList list{7, {kept, {"a.b.c", "", "MSEdge", false}}};
  EXPECT_TRUE(AddSite(list, "A.B.C"));  // the same url, not opening in IE11, is replaced
  EXPECT_EQ(list, (SiteList{8, {kept, Ie11("A.B.C")}}));
  EXPECT_FALSE(AddSite(list, "a.b.c"));
  EXPECT_TRUE(AddSite(list, "a.b.c:81"));
  EXPECT_EQ(list, (SiteList{9, {kept, Ie11("A.B.C"), Ie11("a.b.c:81")}}));
  EXPECT_EQ(SiteListXml(SiteList{2, {kept, Ie11("a&b<\">'")}}),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<site-list version=\"2\">\r\n"
            "  <site url=\"kept.cn/x\">\r\n    <compat-mode>IE8Enterprise</compat-mode>\r\n"
            "    <open-in>IE11</open-in>\r\n  </site>\r\n"
            "  <site url=\"a&amp;b&lt;&quot;&gt;&apos;\">\r\n    <compat-mode>Default</compat-mode>\r\n"
            "    <open-in allow-redirect=\"true\">IE11</open-in>\r\n  </site>\r\n</site-list>\r\n");

  EXPECT_FALSE(RemoveHost(list, "b.c"));
  EXPECT_TRUE(RemoveHost(list, "a.B.c"));
  EXPECT_EQ(list, (SiteList{10, {kept}}));
  EXPECT_TRUE(RemoveHost(list, "kept.cn"));
  EXPECT_EQ(list, (SiteList{11, {}}));
}

TEST(IeModePlan, DecidesWhatToDoAndSay) {
  using enum IeModeNote;
  using enum MachinePart;
  using enum ListOwner;
  struct Case {
    IeModeState state;
    Site site = {.host = "a.b.c"};
    bool may_write = true;
    IeModePlan plan;
  };
  const Site kWildcard{.host = "*.b.c"};
  const Case cases[] = {
      {.state = {.integration_level = 0, .list = {.owner = kCloud}}, .plan = {}},
      {.state = {.ie_retired = true, .list = {.owner = kNone}, .listed = false}, .plan = {kInPlace, {kNoEdge}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .ie_feature_off = true, .list = {.owner = kTool}},
       .plan = {kInPlace, {kIeFeatureOff}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 0,
                 .list = {.owner = kTool},
                 .listed = true},
       .plan = {kInPlace, {kTurnedOffByPolicy}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 3,
                 .list = {.owner = kNone},
                 .listed = false},
       .plan = {kInPlace, {kTurnedOffByPolicy}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 2,
                 .list = {.owner = kNone},
                 .listed = false},
       .plan = {kSetUpNow, {kOpensInIeMode, kAddedToList}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 2,
                 .list = {.owner = kOther},
                 .listed = true},
       .plan = {kInPlace, {kOpensInIeMode}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .integration_level = 1, .list = {.owner = kCloud}},
       .plan = {kInPlace, {kListUnreadable}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kOther}},
       .plan = {kInPlace, {kLevelNotSet}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kOther}, .listed = true},
       .plan = {kInPlace, {kLevelNotSet}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kCloud}},
       .plan = {kInPlace, {kLevelNotSet}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kOther, .old_format = true},
                 .listed = false},
       .plan = {kInPlace, {kOldFormatList}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kTool, .old_format = true},
                 .listed = false},
       .plan = {kSetUpNow, {kOpensInIeMode, kAddedToList}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kNone}},
       .site = kWildcard,
       .plan = {kInPlace, {kWildcardAddress}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kOther},
                 .listed = false},
       .site = kWildcard,
       .plan = {kInPlace, {kWildcardAddress}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .integration_level = 0, .list = {.owner = kNone}},
       .site = kWildcard,
       .plan = {kInPlace, {kTurnedOffByPolicy}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .integration_level = 1, .list = {.owner = kTool}},
       .plan = {kSetUpNow, {kOpensInIeMode}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .integration_level = 1, .list = {.owner = kTool}},
       .may_write = false,
       .plan = {kInPlace, {kListUnreadable}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kOther},
                 .listed = true},
       .plan = {kInPlace, {kOpensInIeMode}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kOther},
                 .listed = false},
       .plan = {kInPlace, {kNotInAdminList}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kTool},
                 .listed = true},
       .may_write = false,
       .plan = {kInPlace, {kOpensInIeMode}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kTool}, .listed = true},
       .plan = {kSetUpNow, {kOpensInIeMode}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kNone}},
       .plan = {kSetUpNow, {kOpensInIeMode, kAddedToList}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .integration_level = 1,
                 .list = {.owner = kTool},
                 .listed = false},
       .plan = {kSetUpNow, {kOpensInIeMode, kAddedToList}}},
      {.state = {.ie_retired = true, .edge_path = "msedge.exe", .list = {.owner = kNone}},
       .may_write = false,
       .plan = {kNotPermitted, {kCannotEnable}}},
      {.state = {.ie_retired = true,
                 .edge_path = "msedge.exe",
                 .list = {.owner = kTool},
                 .listed = false,
                 .own_list_version = 3},
       .plan = {kSetUpNow, {kOpensInIeMode, kAddedToList, kSeenAfterAMinute}}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(PlanIeMode(cases[i].state, cases[i].site, cases[i].may_write), cases[i].plan) << "row " << i;
  }
  EXPECT_FALSE(IsFinding(kAddedToList));
  EXPECT_TRUE(IsFinding(kNoEdge));
}

class IeModeSetUp : public testing::Test {
 protected:
  IeModeSetUp() {
    PutString(machine_, kCurrentVersion, kBuildNumber, "22631");
    PutString(machine_, kEdgeAppPath, "", "\"C:\\Edge\\msedge.exe\"");
    test::PutKey(machine_, "SOFTWARE\\Policies\\Microsoft");
  }
  IeModeOutcome Run(const Site& site, bool write = true) {
    return RunIeMode({user_, machine_}, write ? &machine_ : nullptr, files_, site);
  }

  // The machine as it was before, but for the list version kept: that
  // outlives a removal on purpose.
  std::vector<std::string> DumpWithoutListVersion() {
    std::vector<std::string> dump = machine_.Dump();
    std::erase_if(dump, [](const std::string& line) { return line.starts_with(kRecordParent); });
    return dump;
  }

  MemoryRegistry machine_;
  MemoryRegistry user_;
  MemoryListFiles files_;
};

TEST_F(IeModeSetUp, AddsTheSiteSetsAbsentValuesAndTakesBackOnlyThose) {
  using enum IeModeNote;
  const auto empty_machine = machine_.Dump();
  EXPECT_EQ(Run({.host = "a.b.c"}, false).notes, std::vector{kCannotEnable});
  EXPECT_EQ(Run({.host = "*.b.c"}).notes, std::vector{kWildcardAddress});
  EXPECT_EQ(machine_.Dump(), empty_machine);
  EXPECT_TRUE(files_.lists.empty());
  // With no record, the list file's time says when the set-up changed.
  EXPECT_EQ(SetUpChangedAt(machine_, files_), std::nullopt);
  files_.own_list_written_at = 7;
  EXPECT_EQ(SetUpChangedAt(machine_, files_), 7u);

  const IeModeOutcome added = Run({.host = "a.b.c", .port = 8080});
  const std::optional<uint64_t> changed = SetUpChangedAt(machine_, files_);
  // After 2020 in FILETIME ticks: the record's own time, not the file's.
  EXPECT_GT(changed.value_or(0), 132'223'104'000'000'000u);
  EXPECT_EQ(added.notes, (std::vector{kOpensInIeMode, kAddedToList, kPopupsInEdge}));
  EXPECT_EQ(added.state.edge_path, kEdge);
  EXPECT_EQ(files_.lists.at(std::string(kOwnPath)), (SiteList{1, {Ie11("a.b.c:8080")}}));
  EXPECT_EQ(GetDword(machine_, kEdgePolicy, kLevel), 1u);
  EXPECT_EQ(GetValue(machine_, kEdgePolicy, kSiteList), std::string(kOwnUrl) + '\0');
  EXPECT_EQ(GetDword(machine_, kRecord, kLevelSet), 1u);
  EXPECT_EQ(GetDword(machine_, kRecord, kSiteListSet), 1u);
  EXPECT_EQ(GetDword(machine_, kEdgePolicy, kDelayInitialDownload), 1u);
  EXPECT_EQ(GetDword(machine_, kRecord, kDelaySet), 1u);
  // The bare host: every scheme and port of it.
  EXPECT_EQ(GetValue(machine_, kPopupsAllowed, "1"), std::string("a.b.c") + '\0');
  EXPECT_EQ(added.state.popups_allowed, true);

  EXPECT_EQ(Run({.host = "a.b.c", .port = 8080}).notes, (std::vector{kOpensInIeMode, kPopupsInEdge}));
  EXPECT_EQ(SetUpChangedAt(machine_, files_), changed) << "a check that changes nothing keeps the time";
  // Into a list Edge may hold a copy of: seen a minute after Edge restarts.
  EXPECT_EQ(Run({.host = "d.e.f", .scheme = Scheme::kHttps}).notes,
            (std::vector{kOpensInIeMode, kAddedToList, kSeenAfterAMinute, kPopupsInEdge}));
  EXPECT_EQ(files_.lists.at(std::string(kOwnPath)).version, 2u);

  EXPECT_EQ(GetValue(machine_, kPopupsAllowed, "2"), std::string("d.e.f") + '\0');
  EXPECT_EQ(RemoveHostFromIeMode(machine_, files_, "a.b.c"), 0);
  EXPECT_EQ(files_.lists.at(std::string(kOwnPath)), (SiteList{3, {Ie11("d.e.f")}}));
  EXPECT_EQ(GetValue(machine_, kPopupsAllowed, "1"), std::nullopt);
  EXPECT_EQ(RemoveHostFromIeMode(machine_, files_, "d.e.f"), 0);
  EXPECT_TRUE(files_.lists.empty());
  EXPECT_FALSE(files_.folder_kept);
  EXPECT_EQ(DumpWithoutListVersion(), empty_machine);
  // A list made again starts above the version Edge may still hold.
  EXPECT_EQ(GetDword(machine_, kRecordParent, kListVersion), 4u);
  Run({.host = "a.b.c"});
  EXPECT_EQ(files_.lists.at(std::string(kOwnPath)).version, 5u);
  EXPECT_EQ(RemoveIeModeSetUp(machine_, files_), 0);

  // An administrator's list since, with the same level: both are theirs now.
  Run({.host = "a.b.c"});
  PutString(machine_, kEdgePolicy, kSiteList, "\\\\srv\\sites.xml");
  EXPECT_EQ(RemoveIeModeSetUp(machine_, files_), 0);
  EXPECT_EQ(GetDword(machine_, kEdgePolicy, kLevel), 1u);
  EXPECT_EQ(GetValue(machine_, kEdgePolicy, kSiteList), std::string("\\\\srv\\sites.xml") + '\0');
  // A value the tool did not set still names its list: the folder stays, so
  // that nobody else can make it again.
  Run({.host = "a.b.c"});
  PutString(machine_, kEdgePolicy, kSiteList, std::string(kOwnUrl));
  EXPECT_EQ(RemoveIeModeSetUp(machine_, files_), 0);
  EXPECT_TRUE(files_.lists.empty());
  EXPECT_TRUE(files_.folder_kept);
}

TEST_F(IeModeSetUp, LeavesValuesItDidNotSetAndOtherListsAlone) {
  using enum IeModeNote;
  PutDword(machine_, kEdgePolicy, kLevel, 1);
  // An organisation's pop-up list is theirs: nothing is added to it.
  PutString(machine_, kPopupsAllowed, "1", "[*.]corp.example");
  const auto level_only = machine_.Dump();
  const IeModeOutcome added = Run({.host = "a.b.c"});
  EXPECT_EQ(added.notes, (std::vector{kOpensInIeMode, kAddedToList}));
  EXPECT_EQ(added.state.popups_allowed, std::nullopt);
  EXPECT_EQ(GetValue(machine_, kPopupsAllowed, "2"), std::nullopt);
  EXPECT_EQ(GetDword(machine_, kRecord, kLevelSet), std::nullopt);
  EXPECT_EQ(RemoveIeModeSetUp(machine_, files_), 0);
  EXPECT_EQ(DumpWithoutListVersion(), level_only);

  PutString(machine_, kEdgePolicy, kSiteList, "\\\\srv\\sites.xml");
  const auto admin = machine_.Dump();
  EXPECT_EQ(Run({.host = "a.b.c"}).notes, std::vector{kListUnreadable});
  files_.lists["\\\\srv\\sites.xml"] = SiteList{4, {Ie11("x.y")}};
  EXPECT_EQ(Run({.host = "a.b.c"}).notes, std::vector{kNotInAdminList});
  EXPECT_EQ(Run({.host = "x.y"}).notes, std::vector{kOpensInIeMode});
  files_.lists["\\\\srv\\sites.xml"] = SiteList{5, {}, true};
  EXPECT_EQ(Run({.host = "x.y"}).notes, std::vector{kOldFormatList});
  EXPECT_EQ(machine_.Dump(), admin);
  EXPECT_EQ(files_.lists.size(), 1u);
}

// The level turns on every list policy: it stays while a cloud list or IE's
// own Enterprise Mode list set since relies on it.
TEST(IeModeTakeBack, TheLevelStaysWhileAnotherListPolicyReliesOnIt) {
  for (const auto& [path, name] :
       {std::pair{kEdgePolicy, kCloudSiteList}, std::pair{kEnterpriseMode, kEnterpriseSiteList}}) {
    MemoryRegistry machine;
    MemoryRegistry user;
    MemoryListFiles files;
    PutString(machine, kCurrentVersion, kBuildNumber, "22631");
    PutString(machine, kEdgeAppPath, "", "\"C:\\Edge\\msedge.exe\"");
    ASSERT_EQ(RunIeMode({user, machine}, &machine, files, {.host = "a.b.c"}).machine_part, MachinePart::kSetUpNow);
    PutString(machine, path, name, "https://intranet/sites.xml");
    EXPECT_EQ(RemoveIeModeSetUp(machine, files), 0);
    EXPECT_EQ(GetDword(machine, kEdgePolicy, kLevel), 1u) << name;
    EXPECT_EQ(GetValue(machine, kEdgePolicy, kSiteList), std::nullopt) << name;
  }
}

// Windows 10 lets the "Internet Explorer 11" feature be turned off, and then
// IE mode cannot open; only files known missing say so.
TEST_F(IeModeSetUp, Windows10WithoutTheIeFeatureIsAFinding) {
  PutString(machine_, kCurrentVersion, kBuildNumber, "19045");
  EXPECT_EQ(Run({.host = "a.b.c"}).notes.front(), IeModeNote::kOpensInIeMode) << "the folders unread";
  RemoveIeModeSetUp(machine_, files_);
  PutString(machine_, kCurrentVersion, kSystemRoot, "C:\\Windows");
  PutString(machine_, kWindowsCurrentVersion, kProgramFilesDir, "C:\\Program Files");
  files_.existing.emplace_back("C:\\Windows\\System32\\ieframe.dll");
  EXPECT_EQ(Run({.host = "a.b.c"}).notes, std::vector{IeModeNote::kIeFeatureOff});
  EXPECT_TRUE(files_.lists.empty());
  files_.existing.emplace_back("C:\\Program Files\\Internet Explorer\\iexplore.exe");
  EXPECT_EQ(Run({.host = "a.b.c"}).notes.front(), IeModeNote::kOpensInIeMode);
  PutString(machine_, kCurrentVersion, kBuildNumber, "22631");
  files_.existing.pop_back();
  EXPECT_EQ(Run({.host = "a.b.c"}).notes.front(), IeModeNote::kOpensInIeMode) << "Windows 11 has no such feature";
}

TEST_F(IeModeSetUp, AFailedWriteLeavesNothingRecorded) {
  const auto before = machine_.Dump();
  files_.write_status = status::kAccessDenied;
  const IeModeOutcome failed = Run({.host = "a.b.c"});
  EXPECT_EQ(failed.notes, std::vector{IeModeNote::kCannotEnable});
  EXPECT_EQ(failed.status, status::kAccessDenied);
  EXPECT_EQ(machine_.Dump(), before);

  // Whichever write fails, every value left is recorded, and removal takes it.
  files_.write_status = status::kSuccess;
  for (int nth = 1; nth <= 4; ++nth) {
    FaultyRegistry faulty(machine_);
    faulty.FailCall(RegistryCall::kSetValue, nth, 1450);
    EXPECT_EQ(RunIeMode({user_, machine_}, &faulty, files_, {.host = "a.b.c"}).status, 1450) << nth;
    for (const auto& [value, record] : {std::pair{kSiteList, kSiteListSet}, std::pair{kLevel, kLevelSet}}) {
      EXPECT_EQ(GetValue(machine_, kEdgePolicy, value).has_value(), GetDword(machine_, kRecord, record) == 1u)
          << nth << ' ' << value;
    }
    EXPECT_EQ(RemoveIeModeSetUp(machine_, files_), 0);
    EXPECT_EQ(DumpWithoutListVersion(), before) << nth;
  }
}

}  // namespace
}  // namespace orvel
