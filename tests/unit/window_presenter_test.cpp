#include "check/window_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "check/check_site.h"
#include "check/texts.h"
#include "iemode/ie_mode_keys.h"
#include "tests/support/memory_list_files.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using namespace std::chrono_literals;
using test::ShownMessage;
using test::StartedProgram;
using Lines = std::vector<std::string>;

const ShownMessage kCheckDone{"检测完毕。", MessageStyle::kInformation};
const ShownMessage kIneffective{std::string(texts::kCheckDoneIneffective), MessageStyle::kExclamation};
const ShownMessage kInvalid{"您输入的网址不正确。", MessageStyle::kExclamation};
const ShownMessage kQuestion{std::string(texts::kRestartEdgeQuestion), MessageStyle::kQuestion};
const ShownMessage kNotClosed{std::string(texts::kEdgeDidNotExit), MessageStyle::kExclamation};
const ProgramFilesFolders kBothFolders{"C:\\Program Files (x86)", "C:\\Program Files"};
const std::string kX86Browser = "\"C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe\"";
const std::string kEdge = "\"" + std::string(test::kEdge) + "\"";

Lines SuccessLines(const Lines& extra = {}) {
  Lines lines = {std::string(texts::kCheckingAddress),     std::string(texts::kAddressChecked),
                 std::string(texts::kCheckingTrustedSite), std::string(texts::kTrustedSiteAdded),
                 std::string(texts::kCheckingPermissions), std::string(texts::kPermissionsChecked)};
  lines.insert(lines.end(), extra.begin(), extra.end());
  return lines;
}

void RetireIe(Registry& machine) {
  test::PutString(machine, ie_mode_keys::kCurrentVersion, ie_mode_keys::kBuildNumber, "22631");
  test::PutString(machine, ie_mode_keys::kEdgeAppPath, "", std::string(test::kEdge));
}

// The window's presenter over in-memory doubles, as the window holds it:
// one for the program's whole run.
struct PresentedWindow {
  PresentedWindow() { test::PutKey(user, zone_keys::kZone2); }

  // Types the address into the box and presses Check or Login.
  void Check(std::string_view typed) {
    view.address = typed;
    presenter.OnCheckClicked();
  }
  void Login(std::string_view typed) {
    view.address = typed;
    presenter.OnLoginClicked();
  }

  // The zone map's values and the pop-up list's, below their keys: what the
  // checks trusted and allowed.
  Lines Entries() const {
    const std::string zone_map = std::string(zone_keys::kZoneMap) + "\\";
    Lines entries;
    for (const std::string& line : user.Dump()) {
      if (line.find('|') == std::string::npos) continue;
      if (line.starts_with(zone_map)) entries.push_back(line.substr(zone_map.size()));
      if (line.starts_with(zone_keys::kAllow)) entries.push_back("Allow" + line.substr(zone_keys::kAllow.size()));
    }
    std::ranges::sort(entries);
    return entries;
  }

  MemoryRegistry user;
  MemoryRegistry machine;
  test::MemoryListFiles files;
  CheckRegistries registries{.hives = {user, machine}, .site_lists = &files, .machine_writes = &machine};
  test::RecordingView view;
  test::RecordingStore store;
  test::RecordingLauncher launcher;
  test::StandInEdge edge;
  WindowPresenter presenter{
      view,
      {.registries = registries, .store = store, .launcher = launcher, .edge = edge, .program_files = kBothFolders}};
};

TEST(WindowPresenterTest, StartPutsTheSavedAddressInTheBoxAsItWasSaved) {
  PresentedWindow window;
  window.presenter.Start();
  EXPECT_EQ(window.view.address, "");
  window.store.saved = {"  https://a.example.cn/x "};
  window.presenter.Start();
  EXPECT_EQ(window.view.address, "  https://a.example.cn/x ");
  EXPECT_TRUE(window.view.lines.empty());
  EXPECT_TRUE(window.view.messages.empty());
  EXPECT_EQ(window.store.saved, Lines{"  https://a.example.cn/x "});
}

// A check as the window shows it: the list, the box, what is left in the
// address box and saved, and the entries written.
TEST(WindowPresenterTest, CheckShowsItsLinesBoxAndAddressAndWritesItsEntries) {
  const struct {
    const char* name;
    std::string typed;
    std::function<void(Registry& user, Registry& machine, test::RecordingStore& store)> setup = {};
    Lines lines;
    ShownMessage box;
    std::string left_in_box;
    Lines saved;
    Lines entries;
  } rows[] = {
      {.name = "numeric address",
       .typed = "10.1.2.3/orvel",
       .lines = SuccessLines(),
       .box = kCheckDone,
       .left_in_box = "10.1.2.3/orvel",
       .saved = {"10.1.2.3/orvel"},
       .entries = {"Allow|10.1.2.3=3:0000", "Ranges\\Range1|:Range=1:31302e312e322e3300",
                   "Ranges\\Range1|http=4:02000000"}},
      {.name = "user name and password",
       .typed = "http://user:pw@portal.example.cn/app",
       .lines = SuccessLines(),
       .box = kCheckDone,
       .left_in_box = "http://user:pw@portal.example.cn/app",
       .saved = {"http://user:pw@portal.example.cn/app"},
       .entries = {"Allow|portal.example.cn=3:0000", "Domains\\example.cn\\portal|http=4:02000000"}},
      {.name = "a range already trusted",
       .typed = "http://10.9.8.7:81/",
       .setup =
           [](Registry& user, Registry&, test::RecordingStore&) {
             test::PutString(user, std::string(zone_keys::kRanges) + "Range7", ":Range", "10.9.8.7");
             test::PutDword(user, std::string(zone_keys::kRanges) + "Range7", "http", 2);
           },
       .lines = SuccessLines(),
       .box = kCheckDone,
       .left_in_box = "http://10.9.8.7:81/",
       .saved = {"http://10.9.8.7:81/"},
       .entries = {"Allow|10.9.8.7=3:0000", "Ranges\\Range7|:Range=1:31302e392e382e3700",
                   "Ranges\\Range7|http=4:02000000"}},
      {.name = "no zone key: the saved address is kept",
       .typed = "a.b.c",
       .setup =
           [](Registry& user, Registry&, test::RecordingStore& store) {
             EXPECT_EQ(user.DeleteKey(zone_keys::kZone2), status::kSuccess);
             store.saved = {"old.example.cn"};
           },
       .lines = {std::string(texts::kCheckingAddress), std::string(texts::kAddressChecked),
                 std::string(texts::kCheckingTrustedSite), std::string(texts::kTrustedSiteAdded),
                 std::string(texts::kCheckingPermissions), std::string(texts::kPermissionsFailed)},
       .box = {std::string(texts::kPermissionsFailed), MessageStyle::kExclamation},
       .left_in_box = "a.b.c",
       .saved = {"old.example.cn"},
       .entries = {"Domains\\b.c\\a|http=4:02000000"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    if (row.setup) row.setup(window.user, window.machine, window.store);
    window.Check(row.typed);
    EXPECT_EQ(window.view.lines, row.lines);
    EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{row.box});
    EXPECT_EQ(window.view.address, row.left_in_box);
    EXPECT_EQ(window.store.saved, row.saved);
    EXPECT_EQ(window.Entries(), row.entries);
    EXPECT_TRUE(window.launcher.started.empty());
  }
}

TEST(WindowPresenterTest, AnInvalidAddressWritesNothingAndStaysTrimmedInTheBox) {
  const struct {
    std::string typed;
    std::string left_in_box;
  } rows[] = {
      {.typed = "   ", .left_in_box = ""},
      {.typed = " ftp://a.b.c ", .left_in_box = "ftp://a.b.c"},
      {.typed = "1..2", .left_in_box = "1..2"},
      {.typed = "portal。example。cn", .left_in_box = "portal。example。cn"},
      {.typed = "http://user@/x", .left_in_box = "http://user@/x"},
      // The window's text as UTF-8 when it holds an unpaired surrogate.
      {.typed = " a\xED\xA0\x80.b ", .left_in_box = "a\xED\xA0\x80.b"},
  };
  PresentedWindow window;
  const Lines before = window.user.Dump();
  for (const auto& row : rows) {
    window.view.messages.clear();
    window.Check(row.typed);
    EXPECT_EQ(window.view.lines, (Lines{std::string(texts::kCheckingAddress), std::string(texts::kAddressInvalid)}));
    EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{kInvalid}) << row.typed;
    EXPECT_EQ(window.view.address, row.left_in_box);
  }
  EXPECT_EQ(window.user.Dump(), before);
  EXPECT_TRUE(window.store.saved.empty());
}

// Policies an administrator set, and what the check says of them; the
// machine's keys are only read.
TEST(WindowPresenterTest, PoliciesThatStopTheSettingsAreReported) {
  const std::string machine_only(texts::kMachineSettingsOnly);
  const std::string site_list(texts::kSiteListExcludesHost);
  const std::string hardened(texts::kEnhancedSecurity);
  const struct {
    const char* name;
    std::function<void(Registry& user, Registry& machine)> setup;
    Lines extra_lines;
  } rows[] = {
      {.name = "nothing set", .setup = [](Registry&, Registry&) {}, .extra_lines = {}},
      {.name = "policies that do not apply",
       .setup =
           [](Registry& user, Registry& machine) {
             test::PutString(machine, zone_keys::kPolicySiteList, "*.example.cn", "2");
             test::PutDword(user, zone_keys::kPolicyZone2, "1809", 3);
             test::PutDword(machine, zone_keys::kZoneMap, "IEHarden", 0);
           },
       .extra_lines = {}},
      {.name = "machine only",
       .setup = [](Registry&,
                   Registry& machine) { test::PutDword(machine, zone_keys::kPolicySettings, "Security_HKLM_only", 1); },
       .extra_lines = {machine_only}},
      {.name = "machine site list",
       .setup =
           [](Registry&, Registry& machine) {
             test::PutString(machine, zone_keys::kPolicySiteList, "other.example.cn", "2");
           },
       .extra_lines = {site_list}},
      {.name = "user site list, the host in zone 1",
       .setup = [](Registry& user,
                   Registry&) { test::PutString(user, zone_keys::kPolicySiteList, "http://portal.example.cn", "1"); },
       .extra_lines = {site_list}},
      {.name = "locked actions",
       .setup =
           [](Registry& user, Registry& machine) {
             test::PutDword(machine, zone_keys::kPolicyZone2, "1200", 3);
             test::PutDword(user, zone_keys::kPolicyZone2, "1809", 0);
           },
       .extra_lines = {"组策略锁定了受信任站点区域的以下设置：1200、1809。"}},
      {.name = "hardened for the machine",
       .setup = [](Registry&, Registry& machine) { test::PutDword(machine, zone_keys::kZoneMap, "IEHarden", 1); },
       .extra_lines = {hardened}},
      {.name = "machine only and hardened for the user",
       .setup =
           [](Registry& user, Registry& machine) {
             test::PutDword(machine, zone_keys::kPolicySettings, "Security_HKLM_only", 1);
             test::PutDword(user, zone_keys::kZoneMap, "IEHarden", 1);
           },
       .extra_lines = {machine_only, hardened}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    row.setup(window.user, window.machine);
    const Lines machine_before = window.machine.Dump();
    window.Check("http://portal.example.cn/orvel");
    EXPECT_EQ(window.view.lines, SuccessLines(row.extra_lines));
    EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{row.extra_lines.empty() ? kCheckDone : kIneffective});
    EXPECT_EQ(window.machine.Dump(), machine_before);
    EXPECT_EQ(test::GetDword(window.user, std::string(zone_keys::kDomains) + "example.cn\\portal", "http"), 2u);
  }
}

// An https address with a port puts https on the host's one Range entry;
// http afterwards joins it there.
TEST(WindowPresenterTest, AnHttpsNumericAddressSharesItsRangeEntryWithHttp) {
  PresentedWindow window;
  window.Check("https://10.1.1.9:8443/x");
  EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{kCheckDone});
  const std::string range = "Ranges\\Range1|:Range=1:31302e312e312e3900";
  EXPECT_EQ(window.Entries(), (Lines{"Allow|10.1.1.9=3:0000", range, "Ranges\\Range1|https=4:02000000"}));
  window.Check("http://10.1.1.9/");
  EXPECT_EQ(window.view.lines, SuccessLines());
  EXPECT_EQ(window.Entries(), (Lines{"Allow|10.1.1.9=3:0000", range, "Ranges\\Range1|http=4:02000000",
                                     "Ranges\\Range1|https=4:02000000"}));
}

// Login over a check that succeeded: Internet Explorer from the 32-bit
// program-files folder on the address as the check left it, once the
// address is saved and the box closed.
TEST(WindowPresenterTest, LoginStartsTheBrowserOnceTheAddressIsSavedAndTheBoxClosed) {
  const struct {
    const char* name;
    std::string typed;
    std::function<void(Registry& user)> setup = {};
    ShownMessage box;
    std::string url;
    Lines entries;
  } rows[] = {
      {.name = "trimmed",
       .typed = " a.b.c ",
       .box = kCheckDone,
       .url = "http://a.b.c",
       .entries = {"Allow|a.b.c=3:0000", "Domains\\b.c\\a|http=4:02000000"}},
      {.name = "https, trusted for https only and opened as typed",
       .typed = "https://secure.example.cn/app",
       .box = kCheckDone,
       .url = "https://secure.example.cn/app",
       .entries = {"Allow|secure.example.cn=3:0000", "Domains\\example.cn\\secure|https=4:02000000"}},
      {.name = "settings that will not take effect",
       .typed = "a.b.c",
       .setup = [](Registry& user) { test::PutDword(user, zone_keys::kZoneMap, "IEHarden", 1); },
       .box = kIneffective,
       .url = "http://a.b.c",
       .entries = {"Allow|a.b.c=3:0000", "Domains\\b.c\\a|http=4:02000000"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    if (row.setup) row.setup(window.user);
    Lines saved_at_start;
    std::vector<ShownMessage> shown_at_start;
    window.launcher.on_start = [&] {
      saved_at_start = window.store.saved;
      shown_at_start = window.view.messages;
    };
    window.Login(row.typed);
    EXPECT_EQ(window.launcher.started, (std::vector<StartedProgram>{{kX86Browser, row.url}}));
    EXPECT_EQ(saved_at_start, Lines{window.view.address});
    EXPECT_EQ(shown_at_start, std::vector<ShownMessage>{row.box});
    EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{row.box});
    EXPECT_EQ(window.Entries(), row.entries);
  }
}

TEST(WindowPresenterTest, LoginAfterAFailedCheckShowsTheFailureAndStartsNothing) {
  const struct {
    const char* name;
    std::string typed;
    bool remove_zone;
    int32_t save_fails_with;
    std::string_view text;
  } rows[] = {
      {.name = "invalid address",
       .typed = "ftp://a.b.c/",
       .remove_zone = false,
       .save_fails_with = 0,
       .text = texts::kAddressInvalid},
      {.name = "blank address",
       .typed = "   ",
       .remove_zone = false,
       .save_fails_with = 0,
       .text = texts::kAddressInvalid},
      {.name = "no zone key",
       .typed = "a.b.c",
       .remove_zone = true,
       .save_fails_with = 0,
       .text = texts::kPermissionsFailed},
      {.name = "save refused",
       .typed = "a.b.c",
       .remove_zone = false,
       .save_fails_with = status::kAccessDenied,
       .text = texts::kSaveFailed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    if (row.remove_zone) {
      EXPECT_EQ(window.user.DeleteKey(zone_keys::kZone2), status::kSuccess);
    }
    window.store.fail_with = row.save_fails_with;
    window.Login(row.typed);
    EXPECT_TRUE(window.launcher.started.empty());
    EXPECT_EQ(window.view.messages, (std::vector<ShownMessage>{{std::string(row.text), MessageStyle::kExclamation}}));
    EXPECT_EQ(window.view.lines.back(), row.text);
  }
}

TEST(WindowPresenterTest, ABrowserThatCannotStartIsReportedAfterTheCheck) {
  PresentedWindow window;
  window.launcher.starts = false;
  window.Login("a.b.c");
  EXPECT_EQ(window.launcher.started.size(), 1u);
  EXPECT_EQ(window.view.messages,
            (std::vector<ShownMessage>{kCheckDone, {"浏览器启动失败。", MessageStyle::kExclamation}}));
  EXPECT_EQ(window.view.lines.back(), texts::kPermissionsChecked);
  EXPECT_EQ(window.store.saved, Lines{"a.b.c"});
}

// Where Internet Explorer is retired, Login opens Edge, whose IE mode the
// check set up for the site; a policy that turns IE mode off, or an
// administrator's list without the site, is reported and left as it is.
TEST(WindowPresenterTest, WhereIeIsRetiredLoginOpensEdge) {
  const std::string admin_list = "D:\\My Lists\\sites.xml";
  const struct {
    const char* name;
    std::function<void(Registry& machine, test::MemoryListFiles& files)> setup;
    Lines extra_lines;
    ShownMessage box;
    bool listed;
  } rows[] = {
      {.name = "no policy",
       .setup = [](Registry&, test::MemoryListFiles&) {},
       .extra_lines = {std::string(texts::kOpensInIeMode), std::string(texts::kAddedToIeModeList),
                       std::string(texts::kAllowPopupsInEdge), std::string(texts::kWaitingForEdge)},
       .box = kCheckDone,
       .listed = true},
      {.name = "turned off",
       .setup =
           [](Registry& machine, test::MemoryListFiles&) {
             test::PutDword(machine, ie_mode_keys::kEdgePolicy, ie_mode_keys::kLevel, 0);
           },
       .extra_lines = {std::string(texts::kIeModeTurnedOff)},
       .box = kIneffective,
       .listed = false},
      {.name = "an administrator's list without the site",
       .setup =
           [&admin_list](Registry& machine, test::MemoryListFiles& files) {
             test::PutString(machine, ie_mode_keys::kEdgePolicy, ie_mode_keys::kSiteList,
                             "file:///D:/My%20Lists/sites.xml");
             test::PutDword(machine, ie_mode_keys::kEdgePolicy, ie_mode_keys::kLevel, 1);
             files.lists[admin_list] =
                 SiteList{.version = 7, .sites = {{.url = "other.example.cn", .open_in = "IE11"}}};
           },
       .extra_lines = {std::string(texts::kNotInAdminList)},
       .box = kIneffective,
       .listed = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    RetireIe(window.machine);
    row.setup(window.machine, window.files);
    const std::map<std::string, SiteList> lists_before = window.files.lists;
    window.Login("a.b.c:8080/x");
    // Edge not running, and to open the site in IE mode: started on its own first.
    std::vector<StartedProgram> started = {{kEdge, "http://a.b.c:8080/x"}};
    if (row.listed) started.insert(started.begin(), {kEdge, ""});
    EXPECT_EQ(window.launcher.started, started);
    EXPECT_EQ(window.view.lines, SuccessLines(row.extra_lines));
    EXPECT_EQ(window.view.messages, std::vector<ShownMessage>{row.box});
    const auto own = window.files.lists.find(std::string(test::kOwnPath));
    EXPECT_EQ(
        own != window.files.lists.end() && own->second.sites.size() == 1 && own->second.sites[0].url == "a.b.c:8080",
        row.listed);
    if (!row.listed) {
      EXPECT_EQ(window.files.lists, lists_before);
    }
  }
}

// An Edge of the desktop user that started before the set-up cannot see it:
// Login restarts it (asking first only when it shows a window), ends it as
// Windows does for a restart, terminates only a windowless one left after the
// grace, and hands an Edge that starts now the site only after it has had
// time to read its list.
TEST(WindowPresenterTest, LoginRestartsAnEdgeThatStartedBeforeTheSetUpAndHandsItTheSiteLast) {
  const ShownMessage retry{std::string(texts::kEdgeStillOpen), MessageStyle::kRetry};
  const std::string restore = "--restore-last-session";
  const std::string site = "http://a.b.c";
  const std::string waiting(texts::kWaitingForEdge);
  const EdgeBrowser windowed{.started = 50, .has_window = true};
  const EdgeBrowser windowless{.started = 50};
  const struct {
    const char* name;
    std::vector<EdgeBrowser> browsers;
    std::optional<uint64_t> changed = 100;
    std::string login = "a.b.c";
    std::vector<bool> answers = {};
    std::optional<int> windows_close_after = 0;
    bool ends_on_its_own = true;
    bool can_terminate = true;
    std::vector<ShownMessage> boxes = {kCheckDone};
    Lines last_lines;
    Lines asked = {};
    std::vector<std::chrono::milliseconds> waits = {};
    Lines started;
  } rows[] = {
      {.name = "no Edge runs", .browsers = {}, .last_lines = {waiting}, .waits = {5s}, .started = {"", site}},
      {.name = "started since",
       .browsers = {{.started = 100, .has_window = true}, {.started = 150}},
       .last_lines = {std::string(texts::kOpensInIeMode), std::string(texts::kAllowPopupsInEdge)},
       .started = {site}},
      {.name = "no time recorded",
       .browsers = {windowed},
       .changed = std::nullopt,
       .last_lines = {std::string(texts::kOpensInIeMode), std::string(texts::kAllowPopupsInEdge)},
       .started = {site}},
      {.name = "No",
       .browsers = {{.started = 150, .has_window = true}, windowless},
       .answers = {false},
       .boxes = {kCheckDone, kQuestion},
       .last_lines = {std::string(texts::kRestartEdgeLater)},
       .started = {}},
      {.name = "Yes",
       .browsers = {windowed, windowless},
       .answers = {true},
       .boxes = {kCheckDone, kQuestion},
       .last_lines = {std::string(texts::kClosingEdge), waiting},
       .asked = {"end sessions"},
       .waits = {15s, 5s},
       .started = {restore, site}},
      {.name = "only a windowless Edge: no question",
       .browsers = {windowless},
       .last_lines = {std::string(texts::kClosingEdge), waiting},
       .asked = {"end sessions"},
       .waits = {15s, 5s},
       .started = {restore, site}},
      {.name = "a window stays, then closes on Retry",
       .browsers = {windowed},
       .answers = {true, true},
       .windows_close_after = 2,
       .boxes = {kCheckDone, kQuestion, retry},
       .last_lines = {std::string(texts::kClosingEdge), waiting},
       .asked = {"end sessions"},
       .waits = {15s, 15s, 5s},
       .started = {restore, site}},
      {.name = "a window stays, Cancel",
       .browsers = {windowed},
       .answers = {true, false},
       .windows_close_after = std::nullopt,
       .boxes = {kCheckDone, kQuestion, retry},
       .last_lines = {std::string(texts::kClosingEdge), std::string(texts::kRestartEdgeLater)},
       .asked = {"end sessions"},
       .waits = {15s},
       .started = {}},
      {.name = "a windowless Edge left after the grace is terminated",
       .browsers = {windowless},
       .ends_on_its_own = false,
       .last_lines = {std::string(texts::kEdgeEndedByForce), waiting},
       .asked = {"end sessions", "terminate"},
       .waits = {15s, 5s, 5s},
       .started = {restore, site}},
      {.name = "one that cannot be terminated",
       .browsers = {windowless},
       .ends_on_its_own = false,
       .can_terminate = false,
       .boxes = {kCheckDone, kNotClosed},
       .last_lines = {std::string(texts::kClosingEdge)},
       .asked = {"end sessions", "terminate"},
       .waits = {15s},
       .started = {}},
      {.name = "one that cannot be opened",
       .browsers = {windowed, {.reachable = false}},
       .last_lines = {std::string(texts::kEdgeUnreachable)},
       .started = {}},
      {.name = "added to a list Edge may hold",
       .browsers = {},
       .login = "d.e.f",
       .last_lines = {std::string(texts::kListSeenAfterAMinute), std::string(texts::kAllowPopupsInEdge),
                      std::string(texts::kLoginAgainAfterAMinute)},
       .started = {""}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PresentedWindow window;
    RetireIe(window.machine);
    window.view.answers = row.answers;
    window.edge.browsers = row.browsers;
    window.edge.windows_close_after = row.windows_close_after;
    window.edge.ends_on_its_own = row.ends_on_its_own;
    window.edge.can_terminate = row.can_terminate;
    // Set up by a first check; the record then says when, as the row has it,
    // and the Login's check of the same site changes nothing.
    window.Check("a.b.c");
    RegistryKey record(window.machine);
    ASSERT_EQ(record.Open(ie_mode_keys::kRecord), status::kSuccess);
    ASSERT_EQ(row.changed ? record.SetQword(ie_mode_keys::kChangedAt, *row.changed)
                          : record.DeleteValue(ie_mode_keys::kChangedAt),
              status::kSuccess);
    window.view.lines.clear();
    window.view.messages.clear();
    window.Login(row.login);
    EXPECT_EQ(window.view.messages, row.boxes);
    EXPECT_EQ(window.edge.asked, row.asked);
    EXPECT_EQ(window.view.waits, row.waits);
    ASSERT_GE(window.view.lines.size(), row.last_lines.size());
    EXPECT_EQ(
        Lines(window.view.lines.end() - static_cast<std::ptrdiff_t>(row.last_lines.size()), window.view.lines.end()),
        row.last_lines);
    Lines started;
    for (const StartedProgram& program : window.launcher.started) {
      EXPECT_EQ(program.file, kEdge);
      started.push_back(program.parameters);
    }
    EXPECT_EQ(started, row.started);
  }
}

}  // namespace
}  // namespace orvel
