#include "check/login_site.h"

#include <gtest/gtest.h>

#include "check/edge_restart.h"
#include "check/login_route.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using test::RecordingLauncher;
using test::RecordingStore;
using test::StartedProgram;

const ProgramFilesFolders kBothFolders{"C:\\Program Files (x86)", "C:\\Program Files"};
constexpr std::string_view kX86Browser = "\"C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe\"";

// Login's last step after a check of the typed address.
CheckOutcome Login(std::string_view typed, CheckRegistries registries, AddressStore* store, BrowserLauncher& launcher,
                   const ProgramFilesFolders& folders) {
  CheckOutcome outcome = test::CheckTyped(typed, std::move(registries), store);
  StartBrowser(outcome, launcher, folders);
  return outcome;
}

class LoginSiteTest : public testing::Test {
 protected:
  LoginSiteTest() { test::PutKey(registry_, zone_keys::kZone2); }

  bool Run(const std::string& address, const ProgramFilesFolders& folders = kBothFolders) {
    return Login(address, {.hives = {registry_, machine_}}, &store_, launcher_, folders)
        .browser_started.value_or(false);
  }

  MemoryRegistry registry_;
  MemoryRegistry machine_;
  RecordingStore store_;
  RecordingLauncher launcher_;
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
  const struct {
    const char* name;
    std::string typed;
    bool remove_zone;
    int32_t save_fails_with;
  } cases[] = {
      {.name = "invalid address", .typed = "ftp://a.b.c/", .remove_zone = false, .save_fails_with = 0},
      {.name = "blank address", .typed = "   ", .remove_zone = false, .save_fails_with = 0},
      {.name = "no zone key", .typed = "a.b.c", .remove_zone = true, .save_fails_with = 0},
      {.name = "save refused", .typed = "a.b.c", .remove_zone = false, .save_fails_with = status::kAccessDenied},
  };
  for (const auto& c : cases) {
    MemoryRegistry registry;
    if (!c.remove_zone) test::PutKey(registry, zone_keys::kZone2);
    RecordingStore store;
    store.fail_with = c.save_fails_with;
    const CheckOutcome outcome = Login(c.typed, {.hives = {registry, machine_}}, &store, launcher_, kBothFolders);
    EXPECT_FALSE(outcome.Succeeded()) << c.name;
    EXPECT_FALSE(outcome.browser_started.has_value()) << c.name;
    EXPECT_TRUE(launcher_.started.empty()) << c.name;
  }
}

// Elevated or another user: through the desktop's shell; where it does not
// answer, an elevated program starts nothing.
TEST(LaunchRouteTest, ElevationAndUserOrderTheRoutes) {
  constexpr auto kDirect = LaunchRoute::kDirect;
  constexpr auto kShell = LaunchRoute::kDesktopShell;
  const struct {
    LaunchFacts facts;
    std::vector<LaunchRoute> routes;
  } rows[] = {
      {.facts = {.elevated = false, .other_user = false}, .routes = {kDirect}},
      {.facts = {.elevated = true, .other_user = false}, .routes = {kShell}},
      {.facts = {.elevated = false, .other_user = true}, .routes = {kShell, kDirect}},
      {.facts = {.elevated = true, .other_user = true}, .routes = {kShell}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(LaunchRoutes(row.facts), row.routes) << row.facts.elevated << row.facts.other_user;
  }
}

// Edge's browser is the msedge.exe whose command line has no --type=, or
// where that cannot be read, the one no other msedge.exe started; the others
// are its renderers, GPU and utility processes.
TEST(EdgeProcessesTest, BrowsersAreTheEdgesWithoutATypeOrThatNoEdgeStarted) {
  const std::vector<ListedProcess> processes = {
      {.id = 4, .parent = 0, .file = "System"},
      {.id = 100, .parent = 4, .file = "explorer.exe"},
      {.id = 200, .parent = 100, .file = "msedge.exe"},
      {.id = 201, .parent = 200, .file = "msedge.exe"},
      {.id = 202, .parent = 201, .file = "msedge.exe"},
      {.id = 300, .parent = 999, .file = "MSEdge.EXE"},
      {.id = 400, .parent = 100, .file = "msedgewebview2.exe"},
      {.id = 401, .parent = 400, .file = "msedge.exe"},
      {.id = 500, .parent = 200, .file = "notepad.exe"},
      // The command line decides wherever it was read, whatever the parent.
      {.id = 600, .parent = 200, .file = "msedge.exe", .command_line = R"("msedge.exe" --no-startup-window)"},
      {.id = 601, .parent = 100, .file = "msedge.exe", .command_line = R"("msedge.exe" --type=renderer)"},
      // 700's parent id went to an Edge process that started after it.
      {.id = 700, .parent = 701, .file = "msedge.exe", .started = 10},
      {.id = 701, .parent = 600, .file = "msedge.exe", .started = 20, .command_line = "msedge.exe --type=gpu-process"},
      {.id = 702, .parent = 600, .file = "msedge.exe", .started = 30},
  };
  EXPECT_EQ(EdgeBrowsers(processes), (std::vector<uint32_t>{200, 300, 401, 600, 700}));
  EXPECT_TRUE(EdgeBrowsers({}).empty());
}

TEST(EdgeProcessesTest, OnlyTheDesktopUsersBrowsersInItsSessionCount) {
  using enum BrowserOwner;
  const ProcessOwner desktop{.session = 1, .user_sid = "S-1-5-21-1-2-3-1001"};
  const ProcessOwner unknown{.session = std::nullopt, .user_sid = ""};
  const struct {
    const char* name;
    ProcessOwner owner;
    bool opened = true;
    std::optional<uint64_t> started;
    ProcessOwner desktop;
    BrowserOwner counts;
  } rows[] = {
      {.name = "not to be opened, in the desktop's session",
       .owner = {.session = 1, .user_sid = ""},
       .opened = false,
       .started = std::nullopt,
       .desktop = desktop,
       .counts = kUnreachable},
      {.name = "not to be opened, in another session",
       .owner = {.session = 2, .user_sid = ""},
       .opened = false,
       .started = std::nullopt,
       .desktop = desktop,
       .counts = kSomeoneElse},
      {.name = "the desktop user's", .owner = desktop, .started = 50, .desktop = desktop, .counts = kDesktopUser},
      {.name = "another session",
       .owner = {.session = 2, .user_sid = desktop.user_sid},
       .started = 50,
       .desktop = desktop,
       .counts = kSomeoneElse},
      {.name = "session unread",
       .owner = {.session = std::nullopt, .user_sid = desktop.user_sid},
       .started = 50,
       .desktop = desktop,
       .counts = kSomeoneElse},
      {.name = "another user",
       .owner = {.session = 1, .user_sid = "S-1-5-21-1-2-3-500"},
       .started = 50,
       .desktop = desktop,
       .counts = kSomeoneElse},
      {.name = "user unread",
       .owner = {.session = 1, .user_sid = ""},
       .started = 50,
       .desktop = desktop,
       .counts = kSomeoneElse},
      {.name = "start unread", .owner = desktop, .started = std::nullopt, .desktop = desktop, .counts = kSomeoneElse},
      {.name = "no desktop known", .owner = unknown, .started = 50, .desktop = unknown, .counts = kSomeoneElse},
      {.name = "desktop user unknown",
       .owner = {.session = 1, .user_sid = ""},
       .started = 50,
       .desktop = {.session = 1, .user_sid = ""},
       .counts = kSomeoneElse},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(WhoseBrowser(row.owner, row.opened, row.started, row.desktop), row.counts) << row.name;
  }
}

}  // namespace
}  // namespace orvel
