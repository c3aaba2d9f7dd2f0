// orvel-helper.exe under Wine, used through its window as a person would:
// type an address, press a button, read the list and the message box, press
// OK; then look at the registry and ca.dat.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "tests/e2e/folder_tree.h"
#include "tests/e2e/product.h"
#include "tests/e2e/recorder_settings.h"
#include "tests/e2e/registry_probe.h"
#include "tests/e2e/scoped_variable.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/stand_in_browser.h"
#include "tests/e2e/window_title.h"
#include "tests/support/temp_folder.h"
#include "win/url_zone.h"

namespace orvel::e2e {
namespace {

namespace ids = control_ids;

const std::wstring kSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\";
const std::wstring kDomains = kSettings + L"ZoneMap\\Domains";
const std::wstring kRanges = kSettings + L"ZoneMap\\Ranges";
const std::wstring kZone2 = kSettings + L"Zones\\2";
const std::wstring kAllow = L"Software\\Microsoft\\Internet Explorer\\New Windows\\Allow";

const std::vector<std::wstring> kSuccessLines = {L"正在检查网址......",     L"网址检查完毕。",
                                                 L"正在检查信任站点......", L"已添加到信任站点。",
                                                 L"正在检查权限......",     L"检查权限完毕。"};

// Where policies and the enhanced security configuration live, below
// HKEY_LOCAL_MACHINE and below the user's root alike.
const std::wstring kPolicySettings = L"Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::wstring kZoneMap = kSettings + L"ZoneMap";

// One value an administrator sets, in a root and a view of the test prefix.
struct Policy {
  HKEY root;
  REGSAM view;
  std::wstring path;
  std::wstring name;
  RegistryValue value;
};

// Removes every policy the scenarios set, in both views of the machine.
void ClearPolicies() {
  DeleteTree(HKEY_CURRENT_USER, 0, kPolicySettings);
  DeleteValue(HKEY_CURRENT_USER, 0, kZoneMap, L"IEHarden");
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    DeleteTree(HKEY_LOCAL_MACHINE, view, kPolicySettings);
    DeleteValue(HKEY_LOCAL_MACHINE, view, kZoneMap, L"IEHarden");
  }
}

// The machine's keys the product reads, in both views.
std::vector<std::string> MachineKeys() {
  std::vector<std::string> lines;
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const std::wstring& path : {kPolicySettings, kSettings.substr(0, kSettings.size() - 1)}) {
      const std::string prefix = std::to_string(view) + ":";
      for (const std::string& line : TreeLines(HKEY_LOCAL_MACHINE, view, path)) lines.push_back(prefix + line);
    }
  }
  return lines;
}

std::wstring Name(const wchar_t* icon) {
  if (icon == IDI_EXCLAMATION) return L"exclamation";
  if (icon == IDI_INFORMATION) return L"information";
  return L"neither";
}

class MainWindowE2e : public testing::Test {
 protected:
  // Each test starts from an empty zone map, a zone-2 key and no policies,
  // and leaves no policy behind.
  MainWindowE2e() {
    ClearPolicies();
    DeleteTree(kDomains);
    DeleteTree(kRanges);
    DeleteTree(kAllow);
    CreateKey(kZone2);
  }
  ~MainWindowE2e() override { ClearPolicies(); }

  std::wstring CaDat() const { return folder_.path() + L"\\ca.dat"; }
  bool CaDatExists() const { return GetFileAttributesW(CaDat().c_str()) != INVALID_FILE_ATTRIBUTES; }

  // Types the address, presses a button and reads the box it ends with.
  ShownBox Run(Product& product, const std::wstring& address, int button = ids::kCheckButton) {
    product.TypeAddress(address);
    product.Press(button);
    return product.WaitForBox();
  }

  void ExpectBox(const ShownBox& box, const std::wstring& text, const wchar_t* icon) {
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, kTitle);
    EXPECT_EQ(Name(box.icon), Name(icon));
  }

  test::TempFolder folder_;
};

TEST_F(MainWindowE2e, DomainAddressIsTrustedAllowedAndSaved) {
  Product product(folder_.path());
  const ShownBox box = Run(product, L"  http://portal.example.cn:8080/orvel  ");
  ExpectBox(box, L"检测完毕。", IDI_INFORMATION);
  EXPECT_EQ(product.ListLines(), kSuccessLines);
  EXPECT_FALSE(product.ListScrollsSideways());
  product.CloseBox(box);
  if (!programs().artifacts.empty()) {
    EXPECT_TRUE(product.SaveScreenshot(programs().artifacts + L"\\main-window.bmp"));
  }

  EXPECT_EQ(product.Address(), L"http://portal.example.cn:8080/orvel");
  EXPECT_EQ(ReadValue(kDomains + L"\\example.cn\\portal", L"http"), DwordValue(2));
  EXPECT_EQ(ReadValue(kAllow, L"portal.example.cn"), (RegistryValue{REG_BINARY, {0, 0}}));
  for (const wchar_t* action : {L"1001", L"1004", L"1200", L"1201", L"1405", L"2201", L"2200"}) {
    EXPECT_EQ(ReadValue(kZone2, action), DwordValue(0)) << action;
  }
  EXPECT_EQ(ReadValue(kZone2, L"1809"), DwordValue(3));
  EXPECT_EQ(test::ReadBytes(CaDat()), "http://portal.example.cn:8080/orvel\r\n");
}

// Policies set in the test prefix as an administrator would set them, in
// the machine's two views, and what the check says of them; the machine's
// keys are read, never written.
TEST_F(MainWindowE2e, PoliciesThatStopTheSettingsAreReported) {
  const std::wstring machine_only_line = L"组策略规定只使用计算机的安全设置，以上设置对本用户不起作用。";
  const std::wstring hardened_line = L"本机启用了 Internet Explorer 增强的安全配置，以上设置不起作用。";
  struct Case {
    const wchar_t* name;
    std::vector<Policy> policies;
    std::vector<std::wstring> extra_lines;
  };
  const Case cases[] = {
      // The machine's Internet Settings are redirected: the 32-bit copy is
      // not the one read.
      {L"hardened in the 32-bit view only",
       {{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kZoneMap, L"IEHarden", DwordValue(1)}},
       {}},
      // Policies are one key in both views.
      {L"machine only, through the 32-bit view",
       {{HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, kPolicySettings, L"Security_HKLM_only", DwordValue(1)}},
       {machine_only_line}},
      {L"machine only and hardened for the user",
       {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kPolicySettings, L"Security_HKLM_only", DwordValue(1)},
        {HKEY_CURRENT_USER, 0, kZoneMap, L"IEHarden", DwordValue(1)}},
       {machine_only_line, hardened_line}},
  };
  Product product(folder_.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearPolicies();
    for (const Policy& policy : c.policies)
      WriteValue(policy.root, policy.view, policy.path, policy.name, policy.value);
    const std::vector<std::string> machine_before = MachineKeys();

    const ShownBox box = Run(product, L"http://portal.example.cn/orvel");
    if (c.extra_lines.empty()) {
      ExpectBox(box, L"检测完毕。", IDI_INFORMATION);
    } else {
      ExpectBox(box, L"检测完毕，但部分设置不会生效，请联系系统管理员。", IDI_EXCLAMATION);
    }
    std::vector<std::wstring> lines = kSuccessLines;
    lines.insert(lines.end(), c.extra_lines.begin(), c.extra_lines.end());
    EXPECT_EQ(product.ListLines(), lines);
    if (!programs().artifacts.empty() && c.extra_lines.size() == 2) {
      EXPECT_TRUE(product.SaveScreenshot(programs().artifacts + L"\\main-window-findings.bmp"));
    }
    product.CloseBox(box);
    EXPECT_EQ(MachineKeys(), machine_before);
    std::printf("%ls: %zu machine keys and values unchanged\n", c.name, machine_before.size());
    EXPECT_EQ(ReadValue(kDomains + L"\\example.cn\\portal", L"http"), DwordValue(2));
  }
}

TEST_F(MainWindowE2e, StartsWithTheFirstSavedLineAndTheVersionInTheTitle) {
  {
    Product product(folder_.path());
    EXPECT_EQ(product.Caption(), kTitle);
    EXPECT_EQ(product.Address(), L"");
  }
  test::WriteBytes(CaDat(), "  https://a.example.cn/x \r\nsecond.example.cn\r\nthird\r\n");
  Product product(folder_.path());
  EXPECT_EQ(product.Caption(), kTitle);
  EXPECT_EQ(product.Address(), L"  https://a.example.cn/x ");
  EXPECT_TRUE(product.ListLines().empty());
  EXPECT_EQ(test::ReadBytes(CaDat()), "  https://a.example.cn/x \r\nsecond.example.cn\r\nthird\r\n");
}

TEST_F(MainWindowE2e, KeyboardFocusAccessKeysAndEnter) {
  Product product(folder_.path());
  EXPECT_EQ(product.Focus(), product.Control(ids::kCheckButton));
  for (int id : {ids::kLoginButton, ids::kAddressEdit, ids::kProgressList, ids::kCheckButton}) {
    product.Keys({VK_TAB});
    product.Settle();
    EXPECT_TRUE(WaitUntil([&] { return product.Focus() == product.Control(id); }, 5s)) << "Tab to control " << id;
  }

  product.Keys({VK_MENU, 'W'});
  EXPECT_TRUE(WaitUntil([&] { return product.Focus() == product.Control(ids::kAddressEdit); }, 5s));

  // Enter in the address box presses nothing; what is typed after it still
  // arrives, so the Enter has been handled by then.
  product.Type(L"a.b");
  product.Keys({VK_RETURN});
  product.Type(L".c");
  EXPECT_TRUE(WaitUntil([&] { return product.Address() == L"a.b.c"; }, 5s)) << "typed: " << product.Address();
  EXPECT_FALSE(product.HasBox());
  EXPECT_TRUE(product.ListLines().empty());

  product.Keys({VK_MENU, 'T'});
  const ShownBox box = product.WaitForBox();
  ExpectBox(box, L"检测完毕。", IDI_INFORMATION);
  EXPECT_EQ(product.ListLines(), kSuccessLines);
  product.CloseBox(box);
  EXPECT_EQ(test::ReadBytes(CaDat()), "a.b.c\r\n");
}

// Login over a stand-in iexplore.exe that writes down how it was started.
class LoginE2e : public MainWindowE2e {
 protected:
  LoginE2e() : record_(folder_.path() + L"\\record.txt") {}

  // The program-files folder the product gets. (Under Wine a 64-bit process
  // always gets the prefix's own, whatever its parent sets.)
  static std::wstring ProgramFiles() {
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ProgramFiles", folder, MAX_PATH);
    return folder;
  }

  struct Record {
    std::wstring program;
    std::wstring command_line;
    std::wstring ca_dat;  // as it was when the browser started
  };
  // What the stand-in browser wrote down for each start, once it has for
  // `starts` of them; fewer when it did not within the bound.
  std::vector<Record> WaitForRecords(size_t starts) {
    std::vector<Record> records;
    WaitUntil(
        [&] {
          records.clear();
          if (GetFileAttributesW(record_.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
          const std::wstring file = ReadWideFile(record_);
          std::wstring_view text = file;
          for (size_t end; (end = text.find(kRecordEnd)) != std::wstring_view::npos; text.remove_prefix(end + 1)) {
            const std::wstring_view one = text.substr(0, end);
            const size_t first = one.find(L'\n');
            const size_t second = one.find(L'\n', first + 1);
            if (second == std::wstring_view::npos || !one.ends_with(L'\n')) break;
            records.push_back({std::wstring(one.substr(0, first)),
                               std::wstring(one.substr(first + 1, second - first - 1)),
                               std::wstring(one.substr(second + 1, one.size() - second - 2))});
          }
          return records.size() >= starts;
        },
        20s);
    return records;
  }
  std::optional<Record> WaitForRecord() {
    std::vector<Record> records = WaitForRecords(1);
    return records.empty() ? std::nullopt : std::optional(records.front());
  }

  std::wstring record_;
};

// The real pieces meet: the environment's folder, the shell, the stand-in
// browser and the system's own zone manager; the URL and folder rules
// themselves are tested at the presenter.
TEST_F(LoginE2e, OpensTheAddressInTheBrowserOfTheProgramFilesFolder) {
  const std::wstring x86 = folder_.path() + L"\\Program Files (x86)";
  const StandInBrowser x86_browser(IexploreIn(x86), true, record_, CaDat());
  const StandInBrowser plain_browser(IexploreIn(ProgramFiles()), true, record_, CaDat());
  const ScopedVariable x86_variable(L"ProgramFiles(x86)", x86.c_str());
  Product product(folder_.path());
  const ShownBox box = Run(product, L" https://secure.example.cn/app ", ids::kLoginButton);
  ExpectBox(box, L"检测完毕。", IDI_INFORMATION);
  EXPECT_EQ(product.ListLines(), kSuccessLines);
  product.CloseBox(box);

  const std::optional<Record> record = WaitForRecord();
  ASSERT_TRUE(record) << "the browser was not started";
  EXPECT_EQ(_wcsicmp(record->program.c_str(), x86_browser.path().c_str()), 0) << record->program;
  // The command line names the program, then the URL as it is.
  EXPECT_NE(record->command_line.find(L"iexplore.exe"), std::wstring::npos) << record->command_line;
  EXPECT_TRUE(record->command_line.ends_with(L" https://secure.example.cn/app")) << record->command_line;
  // ca.dat was written before the browser started.
  EXPECT_EQ(record->ca_dat, L"https://secure.example.cn/app\r\n");
  EXPECT_FALSE(product.HasBox());
  EXPECT_EQ(ReadValue(kDomains + L"\\example.cn\\secure", L"https"), DwordValue(2));
  EXPECT_EQ(ReadValue(kDomains + L"\\example.cn\\secure", L"http"), std::nullopt);
  EXPECT_EQ(UrlZone("https://secure.example.cn/"), 2u);
  EXPECT_NE(UrlZone("http://secure.example.cn/"), 2u);
}

TEST_F(LoginE2e, ABrowserThatCannotStartIsReported) {
  const StandInBrowser no_browser(IexploreIn(ProgramFiles()), false);
  const ScopedVariable x86_variable(L"ProgramFiles(x86)", nullptr);
  Product product(folder_.path());
  const ShownBox checked = Run(product, L"a.b.c", ids::kLoginButton);
  ExpectBox(checked, L"检测完毕。", IDI_INFORMATION);
  product.CloseBox(checked);
  const ShownBox failed = product.WaitForBox();
  ExpectBox(failed, L"浏览器启动失败。", IDI_EXCLAMATION);
  product.CloseBox(failed);
  EXPECT_EQ(test::ReadBytes(CaDat()), "a.b.c\r\n");
}

// Where Internet Explorer is retired: a Windows 11 build number and a
// stand-in Edge where App Paths says, in the test prefix for a test's time.
class IeModeE2e : public LoginE2e {
 protected:
  IeModeE2e()
      : build_(ReadValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kCurrentVersion, kBuild)),
        edge_(folder_.path() + L"\\Edge\\msedge.exe", true, record_, CaDat()) {
    ClearIeMode();
    WriteValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kCurrentVersion, kBuild, StringValue(L"22631"));
    WriteValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kEdgeAppPath, L"", StringValue(edge_.path()));
  }
  ~IeModeE2e() override {
    ClearIeMode();
    DeleteTree(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kEdgeAppPath);
    if (build_) {
      WriteValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kCurrentVersion, kBuild, *build_);
    } else {
      DeleteValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kCurrentVersion, kBuild);
    }
  }

  // Wine keeps no folder's owner: the tool's folder, once made, reads as the
  // user's, and the tool rightly refuses it the next time. So every test
  // starts and ends as on a machine the tool never set up.
  static void ClearIeMode() {
    test::RemoveTree(kOwnFolder);
    DeleteTree(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kEdgePolicy);
    DeleteTree(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, kRecordParent);
  }
  static std::optional<RegistryValue> Machine(const std::wstring& path, const std::wstring& name) {
    return ReadValue(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, path, name);
  }
  static std::vector<std::wstring> LinesWith(std::initializer_list<std::wstring> extra) {
    std::vector<std::wstring> lines = kSuccessLines;
    lines.insert(lines.end(), extra);
    return lines;
  }

  static constexpr wchar_t kCurrentVersion[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
  static constexpr wchar_t kBuild[] = L"CurrentBuildNumber";
  static constexpr wchar_t kEdgeAppPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msedge.exe";
  static constexpr wchar_t kEdgePolicy[] = L"Software\\Policies\\Microsoft\\Edge";
  static constexpr wchar_t kRecordParent[] = L"Software\\ORVEL";
  static constexpr wchar_t kRecord[] = L"Software\\ORVEL\\IeMode";
  static constexpr wchar_t kOwnFolder[] = L"C:\\ProgramData\\ORVEL";
  static constexpr wchar_t kOpensInIeMode[] = L"本机 IE 已停用，登录时将用 Edge 的 IE 模式打开。";
  // Said once after every set-up that wrote or found the site's pop-up entry.
  static constexpr wchar_t kPopupsInEdge[] =
      L"如果 Edge 仍拦截本网站的弹出窗口，请在 Edge 的“设置”→“Cookie "
      L"和网站权限”→“弹出窗口和重定向”中，将本网站添加到“允许”。";

  std::optional<RegistryValue> build_;
  StandInBrowser edge_;
};

// A stand-in Edge that runs on, with a window (a browser left open) or
// without one (startup boost); ended with the test.
class StandInEdgeProcess {
 public:
  StandInEdgeProcess(const std::wstring& program, const wchar_t* mode) {
    std::wstring command = L"\"" + program + L"\" " + mode;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
      process_.reset(started.hProcess);
      CloseHandle(started.hThread);
    }
  }
  ~StandInEdgeProcess() {
    if (process_.valid()) TerminateProcess(process_.get(), 3);
  }
  StandInEdgeProcess(const StandInEdgeProcess&) = delete;
  StandInEdgeProcess& operator=(const StandInEdgeProcess&) = delete;

  // Its exit code once it has ended, waiting up to 20 s; none while it runs.
  std::optional<DWORD> ExitCode(DWORD wait = 20000) const {
    DWORD code = 0;
    if (!process_.valid() || WaitForSingleObject(process_.get(), wait) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code)) {
      return std::nullopt;
    }
    return code;
  }

 private:
  UniqueHandle process_;
};

TEST_F(IeModeE2e, TheSiteIsSetUpForEdgesIeModeAndLoginOpensEdge) {
  const std::wstring address = L"http://portal.example.cn/orvel";
  Product product(folder_.path());
  const ShownBox box = Run(product, address);
  ExpectBox(box, L"检测完毕。", IDI_INFORMATION);
  EXPECT_EQ(product.ListLines(),
            LinesWith({kOpensInIeMode, L"已将本网站加入 Edge 的 IE 模式列表，请关闭 Edge 后再登录。", kPopupsInEdge}));
  EXPECT_TRUE(product.ListScrollsSideways());
  product.CloseBox(box);
  if (!programs().artifacts.empty()) {
    EXPECT_TRUE(product.SaveScreenshot(programs().artifacts + L"\\main-window-ie-mode.bmp"));
  }

  EXPECT_EQ(Machine(kEdgePolicy, L"InternetExplorerIntegrationLevel"), DwordValue(1));
  EXPECT_EQ(Machine(kEdgePolicy, L"InternetExplorerIntegrationSiteList"),
            StringValue(L"file:///C:/ProgramData/ORVEL/ie-mode-sites.xml"));
  EXPECT_EQ(Machine(kRecord, L"LevelSet"), DwordValue(1));
  EXPECT_EQ(Machine(kRecord, L"SiteListSet"), DwordValue(1));
  // The tool's own file, read loosely: the host's entry, in IE11 mode.
  const std::string list = test::ReadBytes(std::wstring(kOwnFolder) + L"\\ie-mode-sites.xml");
  EXPECT_NE(list.find(R"(url="portal.example.cn")"), std::string::npos) << list;
  EXPECT_NE(list.find(">IE11<"), std::string::npos) << list;

  // Listed now: Login's check adds nothing, and Edge opens the address
  // without asking about an Edge started since the set-up.
  const StandInEdgeProcess newer(edge_.path(), L"--stay-without-window");
  const ShownBox login = Run(product, address, ids::kLoginButton);
  ExpectBox(login, L"检测完毕。", IDI_INFORMATION);
  EXPECT_EQ(product.ListLines(), LinesWith({kOpensInIeMode, kPopupsInEdge}));
  product.CloseBox(login);
  const std::optional<Record> record = WaitForRecord();
  ASSERT_TRUE(record) << "Edge was not started";
  EXPECT_EQ(_wcsicmp(record->program.c_str(), edge_.path().c_str()), 0) << record->program;
  EXPECT_NE(record->command_line.find(L"msedge.exe"), std::wstring::npos) << record->command_line;
  EXPECT_TRUE(record->command_line.ends_with(L" " + address)) << record->command_line;
  EXPECT_FALSE(product.HasBox());
  EXPECT_EQ(newer.ExitCode(0), std::nullopt);
}

constexpr wchar_t kRestartQuestion[] =
    L"Edge 需要重新启动，才能用 IE 模式打开本网站。现在重新启动 Edge 吗？Edge 会先关闭，再重新打开其中的网页。";
// What a stand-in Edge answers when the session-end messages ended it.
constexpr DWORD kSavedAndEnded = 10;

// An Edge that started before the set-up cannot see it: Login asks, and on
// Yes ends it as Windows does for a restart, window or none, then starts it
// on its saved session and only then hands it the site.
TEST_F(IeModeE2e, LoginRestartsAnEdgeThatStartedBeforeTheSetUp) {
  const StandInEdgeProcess windowed(edge_.path(), L"--stay-with-window");
  const StandInEdgeProcess boosted(edge_.path(), L"--stay-without-window");
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"StandInEdge", nullptr) != nullptr; }, 10s));
  const std::wstring address = L"http://portal.example.cn/orvel";
  Product product(folder_.path());
  product.CloseBox(Run(product, address, ids::kLoginButton));
  const ShownBox question = product.WaitForBox();
  ASSERT_NE(question.window, nullptr) << "nothing was asked";
  EXPECT_EQ(question.text, kRestartQuestion);
  EXPECT_EQ(question.title, kTitle);
  if (!programs().artifacts.empty()) {
    RECT frame{};
    GetWindowRect(question.window, &frame);
    EXPECT_TRUE(SaveScreenArea(frame, programs().artifacts + L"\\edge-restart-question.bmp"));
  }
  product.Answer(question, IDYES);
  EXPECT_EQ(windowed.ExitCode(), kSavedAndEnded);
  EXPECT_EQ(boosted.ExitCode(), kSavedAndEnded);
  const std::vector<Record> records = WaitForRecords(2);
  ASSERT_EQ(records.size(), 2u) << "Edge was not started twice";
  EXPECT_TRUE(records[0].command_line.ends_with(L" --restore-last-session")) << records[0].command_line;
  EXPECT_TRUE(records[1].command_line.ends_with(L" " + address)) << records[1].command_line;
  const std::vector<std::wstring> lines = product.ListLines();
  EXPECT_EQ(std::vector(lines.end() - 2, lines.end()),
            (std::vector<std::wstring>{L"正在关闭 Edge......", L"正在等待 Edge 读取 IE 模式列表......"}));
  EXPECT_FALSE(product.HasBox());
}

// With no window open nothing the user sees closes, so nothing is asked.
TEST_F(IeModeE2e, AWindowlessEdgeIsRestartedWithoutAQuestion) {
  const StandInEdgeProcess boosted(edge_.path(), L"--stay-without-window");
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"StandInEdge", nullptr) != nullptr; }, 10s));
  Product product(folder_.path());
  product.CloseBox(Run(product, L"portal.example.cn", ids::kLoginButton));
  EXPECT_EQ(boosted.ExitCode(), kSavedAndEnded);
  EXPECT_EQ(WaitForRecords(2).size(), 2u);
  EXPECT_FALSE(product.HasBox());
}

// An Edge asking its user something keeps its window: Login offers to wait
// again, and on Cancel ends nothing and starts nothing.
TEST_F(IeModeE2e, AnEdgeThatKeepsItsWindowIsOfferedRetryAndNeverTerminated) {
  const StandInEdgeProcess asking(edge_.path(), L"--ask-before-closing");
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"StandInEdge", nullptr) != nullptr; }, 10s));
  Product product(folder_.path());
  product.CloseBox(Run(product, L"portal.example.cn", ids::kLoginButton));
  product.Answer(product.WaitForBox(), IDYES);
  const ShownBox retry = product.WaitForBox(40s);
  ASSERT_NE(retry.window, nullptr) << "no retry was offered";
  EXPECT_NE(retry.text.find(L"“重试”"), std::wstring::npos) << retry.text;
  product.Answer(retry, IDCANCEL);
  EXPECT_EQ(product.ListLines().back(), L"请重新启动 Edge 后再登录。");
  EXPECT_EQ(asking.ExitCode(0), std::nullopt) << "the asking Edge was ended";
  EXPECT_EQ(GetFileAttributesW(record_.c_str()), INVALID_FILE_ATTRIBUTES) << "Edge was started";
}

// The window's own wait, in this process: a WM_QUIT among the messages it
// runs ends the wait and is left for the program's main loop.
TEST(MainWindowWait, AQuitMessageEndsTheWaitAndIsPostedAgain) {
  MainWindow window(GetModuleHandleW(nullptr));
  ASSERT_TRUE(window.Create());
  PostQuitMessage(7);
  int asked = 0;
  EXPECT_FALSE(window.WaitUntil(
      [&asked] {
        ++asked;
        return false;
      },
      20s));
  EXPECT_LE(asked, 2);
  EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
  MSG quit{};
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  DestroyWindow(window.hwnd());
  // The window's own, as it is destroyed.
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace orvel::e2e
