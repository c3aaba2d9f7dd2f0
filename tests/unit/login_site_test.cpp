#include "check/login_site.h"

#include <gtest/gtest.h>

#include "check/login_route.h"
#include "check/texts.h"
#include "iemode/ie_mode_keys.h"
#include "tests/support/memory_list_files.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using test::RecordingLauncher;
using test::RecordingStore;
using test::RecordingView;
using test::ShownMessage;
using test::StandInEdge;
using test::StartedProgram;

const ShownMessage kCheckDone{"检测完毕。", MessageStyle::kInformation};
const ProgramFilesFolders kBothFolders{"C:\\Program Files (x86)", "C:\\Program Files"};
constexpr std::string_view kX86Browser = "\"C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe\"";

// Login as the window runs it: the typed address checked, then the outcome
// shown and the browser started.
CheckOutcome Login(RecordingView& view, std::string_view typed, CheckRegistries registries, AddressStore* store,
                   BrowserLauncher& launcher, const ProgramFilesFolders& folders, RunningEdge& edge) {
  CheckOutcome outcome = test::CheckTyped(typed, std::move(registries), store);
  ShowCheckAndStartBrowser(view, outcome, launcher, folders, edge);
  return outcome;
}

class LoginSiteTest : public testing::Test {
 protected:
  LoginSiteTest() { test::PutKey(registry_, zone_keys::kZone2); }

  bool Run(const std::string& address, const ProgramFilesFolders& folders = kBothFolders) {
    return Login(view_, address, {.user = registry_, .machine = machine_}, &store_, launcher_, folders, edge_)
        .browser_started.value_or(false);
  }

  MemoryRegistry registry_;
  MemoryRegistry machine_;
  RecordingView view_;
  RecordingStore store_;
  RecordingLauncher launcher_;
  StandInEdge edge_;
};

TEST_F(LoginSiteTest, OpensTheCheckedAddressAsAWebUrl) {
  struct Case {
    std::string typed;
    std::string url;
  };
  const Case cases[] = {
      {"http://a.b.c/", "http://a.b.c/"},
      {"HTTP://a.b.c/", "HTTP://a.b.c/"},
      {"hTtP://10.1.2.3:81/x", "hTtP://10.1.2.3:81/x"},
      {"https://secure.example.cn/app", "https://secure.example.cn/app"},
      {"HTTPS://10.1.1.9:8443/x", "HTTPS://10.1.1.9:8443/x"},
      {"  portal.example.cn/orvel\xE3\x80\x80", "http://portal.example.cn/orvel"},
      {"a.b", "http://a.b"},
      {"a.b.c/d e?f=\"g\"", "http://a.b.c/d%20e?f=%22g%22"},
      {"http://orvel.corp/ --remote-debugging-port=9222 --user-data-dir=C:\\x",
       "http://orvel.corp/%20--remote-debugging-port=9222%20--user-data-dir=C:\\x"},
      {"http://orvel.corp/\"\t-x\x7F%41", "http://orvel.corp/%22%09-x%7F%41"},
      {"http:/a.b", "http://http:/a.b"},
      {"网站.中国", "http://网站.中国"},
  };
  for (const Case& c : cases) {
    launcher_.started.clear();
    EXPECT_TRUE(Run(c.typed)) << c.typed;
    EXPECT_EQ(launcher_.started, (std::vector<StartedProgram>{{std::string(kX86Browser), c.url}})) << c.typed;
    EXPECT_EQ(view_.messages.back(), kCheckDone) << c.typed;
  }
}

TEST_F(LoginSiteTest, TakesTheBrowserFromThe32BitProgramFilesWhenThereIsOne) {
  struct Case {
    ProgramFilesFolders folders;
    std::string file;
  };
  const Case cases[] = {
      {kBothFolders, std::string(kX86Browser)},
      {{"", "C:\\Program Files"}, "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\""},
      {{"D:\\x86", ""}, "\"D:\\x86\\Internet Explorer\\iexplore.exe\""},
      {{"", ""}, "\"\\Internet Explorer\\iexplore.exe\""},
  };
  for (const Case& c : cases) {
    launcher_.started.clear();
    EXPECT_TRUE(Run("a.b.c", c.folders)) << c.file;
    EXPECT_EQ(launcher_.started, (std::vector<StartedProgram>{{c.file, "http://a.b.c"}}));
  }
}

TEST_F(LoginSiteTest, AFailedCheckStartsNothing) {
  struct Case {
    const char* name;
    std::string typed;
    bool remove_zone;
    int32_t save_fails_with;
    std::string_view text;
  };
  const Case cases[] = {
      {"invalid address", "ftp://a.b.c/", false, 0, texts::kAddressInvalid},
      {"blank address", "   ", false, 0, texts::kAddressInvalid},
      {"no zone key", "a.b.c", true, 0, texts::kPermissionsFailed},
      {"save refused", "a.b.c", false, status::kAccessDenied, texts::kSaveFailed},
  };
  for (const Case& c : cases) {
    MemoryRegistry registry;
    if (!c.remove_zone) test::PutKey(registry, zone_keys::kZone2);
    RecordingView view;
    RecordingStore store;
    store.fail_with = c.save_fails_with;
    const CheckOutcome outcome =
        Login(view, c.typed, {.user = registry, .machine = machine_}, &store, launcher_, kBothFolders, edge_);
    EXPECT_FALSE(outcome.Succeeded()) << c.name;
    EXPECT_FALSE(outcome.browser_started.has_value()) << c.name;
    EXPECT_TRUE(launcher_.started.empty()) << c.name;
    EXPECT_EQ(view.messages, (std::vector<ShownMessage>{{std::string(c.text), MessageStyle::kExclamation}})) << c.name;
    EXPECT_EQ(view.lines.back(), c.text) << c.name;
  }
}

TEST_F(LoginSiteTest, StartsTheBrowserOnlyOnceTheAddressIsSavedAndTheBoxClosed) {
  std::vector<std::string> saved_at_start;
  std::vector<ShownMessage> shown_at_start;
  launcher_.on_start = [&] {
    saved_at_start = store_.saved;
    shown_at_start = view_.messages;
  };
  EXPECT_TRUE(Run(" a.b.c "));
  EXPECT_EQ(saved_at_start, std::vector<std::string>{"a.b.c"});
  EXPECT_EQ(shown_at_start, std::vector<ShownMessage>{kCheckDone});
}

TEST_F(LoginSiteTest, ABrowserThatCannotStartIsReportedAfterTheCheck) {
  launcher_.starts = false;
  EXPECT_FALSE(Run("a.b.c"));
  EXPECT_EQ(launcher_.started.size(), 1u);
  EXPECT_EQ(view_.messages, (std::vector<ShownMessage>{kCheckDone, {"浏览器启动失败。", MessageStyle::kExclamation}}));
  EXPECT_EQ(view_.lines.back(), texts::kPermissionsChecked);
  EXPECT_EQ(store_.saved, std::vector<std::string>{"a.b.c"});
}

// Elevated or another user: through the desktop's shell; without the shell,
// an elevated program starts nothing.
TEST(LaunchRouteTest, ElevationAndUserChooseTheRoute) {
  constexpr auto kDirect = LaunchRoute::kDirect;
  constexpr auto kShell = LaunchRoute::kDesktopShell;
  constexpr auto kNone = LaunchRoute::kNone;
  struct Row {
    bool elevated, other_user, shell_reachable;
    LaunchRoute route;
  };
  for (const Row& row :
       {Row{false, false, true, kDirect}, Row{false, false, false, kDirect}, Row{true, false, true, kShell},
        Row{true, false, false, kNone}, Row{false, true, true, kShell}, Row{false, true, false, kDirect},
        Row{true, true, true, kShell}, Row{true, true, false, kNone}}) {
    EXPECT_EQ(ChooseLaunchRoute(
                  {.elevated = row.elevated, .other_user = row.other_user, .shell_reachable = row.shell_reachable}),
              row.route)
        << row.elevated << row.other_user << row.shell_reachable;
  }
}

void RetireIe(MemoryRegistry& machine) {
  test::PutString(machine, ie_mode_keys::kCurrentVersion, ie_mode_keys::kBuildNumber, "22631");
  test::PutString(machine, ie_mode_keys::kEdgeAppPath, "", std::string(test::kEdge));
}

// Where Internet Explorer is retired, Login opens Edge, whose IE mode the
// check set up for the site; a policy that turns IE mode off is reported.
TEST_F(LoginSiteTest, WhereIeIsRetiredEdgeOpensTheSite) {
  const std::string set_up[] = {std::string(texts::kOpensInIeMode), std::string(texts::kAddedToIeModeList)};
  const struct {
    const char* name;
    std::optional<uint32_t> level;
    std::vector<std::string> lines;
    ShownMessage box;
    bool listed;
  } cases[] = {
      {"no policy", {}, {set_up[0], set_up[1]}, kCheckDone, true},
      {"turned off",
       0,
       {std::string(texts::kIeModeTurnedOff)},
       {std::string(texts::kCheckDoneIneffective), MessageStyle::kExclamation},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry machine;
    RetireIe(machine);
    if (c.level) test::PutDword(machine, ie_mode_keys::kEdgePolicy, ie_mode_keys::kLevel, *c.level);
    test::MemoryListFiles files;
    RecordingView view;
    launcher_.started.clear();
    const CheckOutcome outcome = Login(
        view, "a.b.c:8080/x", {.user = registry_, .machine = machine, .site_lists = &files, .machine_writes = &machine},
        &store_, launcher_, kBothFolders, edge_);
    EXPECT_EQ(outcome.browser_started, true);
    EXPECT_EQ(launcher_.started,
              (std::vector<StartedProgram>{{"\"" + std::string(test::kEdge) + "\"", "http://a.b.c:8080/x"}}));
    const std::vector<std::string> tail(view.lines.end() - static_cast<long>(c.lines.size()), view.lines.end());
    EXPECT_EQ(tail, c.lines);
    EXPECT_EQ(view.messages, std::vector<ShownMessage>{c.box});
    EXPECT_EQ(ListsSite(files.lists[std::string(test::kOwnPath)], {.host = "a.b.c", .port = 8080}), c.listed);
  }
}

// An Edge of the desktop user that started before the set-up cannot see it:
// Login offers to restart it, and ends nothing without a Yes.
TEST_F(LoginSiteTest, AnEdgeStartedBeforeTheSetUpIsRestartedOnlyOnYes) {
  const ShownMessage question{std::string(texts::kRestartEdgeQuestion), MessageStyle::kQuestion};
  const ShownMessage not_closed{std::string(texts::kEdgeDidNotExit), MessageStyle::kExclamation};
  const struct {
    const char* name;
    std::vector<uint64_t> started;
    std::optional<uint64_t> changed;
    bool yes, closes;
    std::vector<ShownMessage> boxes;
    std::string_view last_line;
    int close_calls;
    bool browser_started;
  } cases[] = {
      {"no Edge runs", {}, 100, true, true, {kCheckDone}, texts::kAddedToIeModeList, 0, true},
      {"started since", {100, 150}, 100, true, true, {kCheckDone}, texts::kAddedToIeModeList, 0, true},
      {"nothing set up", {50}, std::nullopt, true, true, {kCheckDone}, texts::kAddedToIeModeList, 0, true},
      {"No", {150, 50}, 100, false, true, {kCheckDone, question}, texts::kRestartEdgeLater, 0, false},
      {"Yes", {50}, 100, true, true, {kCheckDone, question}, texts::kClosingEdge, 1, true},
      {"Yes, a window stays",
       {50},
       100,
       true,
       false,
       {kCheckDone, question, not_closed},
       texts::kClosingEdge,
       1,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry machine;
    RetireIe(machine);
    test::MemoryListFiles files;
    RecordingView view;
    view.yes = c.yes;
    StandInEdge edge;
    edge.started = c.started;
    edge.set_up_changed = c.changed;
    edge.closes = c.closes;
    launcher_.started.clear();
    const CheckOutcome outcome =
        Login(view, "a.b.c", {.user = registry_, .machine = machine, .site_lists = &files, .machine_writes = &machine},
              &store_, launcher_, kBothFolders, edge);
    EXPECT_EQ(view.messages, c.boxes);
    EXPECT_EQ(edge.close_calls, c.close_calls);
    EXPECT_EQ(view.lines.back(), c.last_line);
    EXPECT_EQ(launcher_.started.size(), c.browser_started ? 1u : 0u);
    EXPECT_EQ(outcome.browser_started.has_value(), c.browser_started);
  }
}

}  // namespace
}  // namespace orvel
