#include "check/check_site.h"

#include <gtest/gtest.h>

#include <functional>

#include "check/check_presenter.h"
#include "check/texts.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using test::RecordingStore;
using test::RecordingView;
using test::ShownMessage;
using Lines = std::vector<std::string>;

const Lines kSuccessLines = {std::string(texts::kCheckingAddress),     std::string(texts::kAddressChecked),
                             std::string(texts::kCheckingTrustedSite), std::string(texts::kTrustedSiteAdded),
                             std::string(texts::kCheckingPermissions), std::string(texts::kPermissionsChecked)};

Lines FirstLines(size_t count, std::string_view last) {
  Lines lines(kSuccessLines.begin(), kSuccessLines.begin() + static_cast<long>(count - 1));
  lines.emplace_back(last);
  return lines;
}

class CheckSiteTest : public testing::Test {
 protected:
  CheckSiteTest() { test::PutKey(registry_, zone_keys::kZone2); }

  bool Run(const std::string& address) {
    outcome_ = test::CheckTyped(address, {.hives = {registry_, machine_}}, &store_);
    ShowCheck(view_, outcome_);
    return outcome_.Succeeded();
  }

  MemoryRegistry memory_;
  FaultyRegistry registry_{memory_};
  MemoryRegistry machine_;
  RecordingView view_;
  RecordingStore store_;
  CheckOutcome outcome_;
};

using Steps = std::vector<CheckStep>;

TEST_F(CheckSiteTest, SuccessShowsSixLinesSavesAndSaysDone) {
  EXPECT_TRUE(Run("  http://a.b.c:81/app  "));
  EXPECT_EQ(view_.address, "http://a.b.c:81/app");
  EXPECT_EQ(view_.lines, kSuccessLines);
  EXPECT_EQ(view_.messages, (std::vector<ShownMessage>{{"检测完毕。", MessageStyle::kInformation}}));
  EXPECT_EQ(store_.saved, Lines{"http://a.b.c:81/app"});
  EXPECT_EQ(test::GetDword(registry_, std::string(zone_keys::kDomains) + "b.c\\a", "http"), 2u);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
  EXPECT_EQ(outcome_.completed,
            (Steps{CheckStep::kAddress, CheckStep::kTrustedSite, CheckStep::kPermissions, CheckStep::kSave}));
  EXPECT_FALSE(outcome_.Stopped());
}

// What the check adds after its six lines when something stops the settings
// from taking effect, and whose hive it wrote.
TEST_F(CheckSiteTest, FindingsAndTheDesktopUserFollowTheSixLines) {
  struct Case {
    const char* name;
    std::function<void(Registry& user, Registry& machine)> setup;
    std::string desktop_account;
    Lines extra;
    std::vector<uint32_t> locked_actions = {};
  };
  const Case cases[] = {
      {"nothing", [](Registry&, Registry&) {}, "", {}},
      {"a policy that does not apply",
       [](Registry& u, Registry& m) {
         test::PutString(m, zone_keys::kPolicySiteList, "*.b.c", "2");
         test::PutDword(u, zone_keys::kPolicyZone2, "1809", 3);
       },
       "",
       {}},
      {"machine only",
       [](Registry&, Registry& m) { test::PutDword(m, zone_keys::kPolicySettings, "Security_HKLM_only", 1); },
       "",
       {"组策略规定只使用计算机的安全设置，以上设置对本用户不起作用。"}},
      {"site list",
       [](Registry& u, Registry&) { test::PutString(u, zone_keys::kPolicySiteList, "x.b.c", "2"); },
       "",
       {"组策略的站点到区域分配列表未将本站点列为受信任站点，以上设置不起作用。"}},
      {"locked actions",
       [](Registry&, Registry& m) {
         test::PutDword(m, zone_keys::kPolicyZone2, "1809", 1);
         test::PutDword(m, zone_keys::kPolicyZone2, "1201", 3);
         test::PutDword(m, zone_keys::kPolicyZone2, "2201", 3);
       },
       "",
       {"组策略锁定了受信任站点区域的以下设置：1201、2201、1809。"},
       {1201, 2201, 1809}},
      {"one locked action",
       [](Registry& u, Registry&) { test::PutDword(u, zone_keys::kPolicyZone2, "1004", 3); },
       "",
       {"组策略锁定了受信任站点区域的以下设置：1004。"},
       {1004}},
      {"hardened",
       [](Registry& u, Registry&) { test::PutDword(u, zone_keys::kZoneMap, "IEHarden", 1); },
       "",
       {"本机启用了 Internet Explorer 增强的安全配置，以上设置不起作用。"}},
      {"desktop user alone",
       [](Registry&, Registry&) {},
       "OFFICE\\zhang",
       {"以上设置已写入桌面用户 OFFICE\\zhang 的配置。"}},
      {"desktop user, machine only and hardened",
       [](Registry&, Registry& m) {
         test::PutDword(m, zone_keys::kZoneMap, "IEHarden", 1);
         test::PutDword(m, zone_keys::kPolicySettings, "Security_HKLM_only", 1);
       },
       "PC\\li",
       {"以上设置已写入桌面用户 PC\\li 的配置。", "组策略规定只使用计算机的安全设置，以上设置对本用户不起作用。",
        "本机启用了 Internet Explorer 增强的安全配置，以上设置不起作用。"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry user;
    MemoryRegistry machine;
    test::PutKey(user, zone_keys::kZone2);
    c.setup(user, machine);
    const auto machine_before = machine.Dump();
    RecordingView view;
    RecordingStore store;
    const CheckOutcome outcome =
        test::CheckTyped("a.b.c", {.hives = {user, machine}, .desktop_account = c.desktop_account}, &store);
    ShowCheck(view, outcome);
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(outcome.desktop_account, c.desktop_account);
    EXPECT_EQ(outcome.diagnosis.locked_actions, c.locked_actions);
    Lines expected = kSuccessLines;
    expected.insert(expected.end(), c.extra.begin(), c.extra.end());
    EXPECT_EQ(view.lines, expected);
    const bool findings = c.extra.size() > (c.desktop_account.empty() ? 0u : 1u);
    EXPECT_EQ(view.messages,
              (std::vector<ShownMessage>{findings ? ShownMessage{"检测完毕，但部分设置不会生效，请联系系统管理员。",
                                                                 MessageStyle::kExclamation}
                                                  : ShownMessage{"检测完毕。", MessageStyle::kInformation}}));
    EXPECT_EQ(store.saved, Lines{"a.b.c"});
    EXPECT_EQ(machine.Dump(), machine_before);
  }
}

TEST_F(CheckSiteTest, InvalidAddressesWriteNothing) {
  const std::string inputs[] = {"",
                                "   ",
                                "\t",
                                "\xE3\x80\x80",
                                "ftp://a.b.c/",
                                "1..2",
                                "http://",
                                "a\x01.b",
                                "a b.c",
                                std::string(100000, 'x'),
                                "中 文",
                                "\t\t\t\t",
                                "a.b.c\t",
                                std::string("a\0.b", 4)};
  for (const std::string& input : inputs) {
    const auto before = memory_.Dump();
    EXPECT_FALSE(Run(input)) << input;
    EXPECT_EQ(view_.lines, (Lines{"正在检查网址......", "您输入的网址不正确。"})) << input;
    EXPECT_EQ(view_.messages.back(), (ShownMessage{"您输入的网址不正确。", MessageStyle::kExclamation}));
    EXPECT_EQ(memory_.Dump(), before) << input;
    EXPECT_TRUE(store_.saved.empty()) << input;
    EXPECT_EQ(outcome_.failed, CheckStep::kAddress);
    EXPECT_TRUE(outcome_.completed.empty());
  }
  EXPECT_EQ(view_.messages.size(), std::size(inputs));
}

TEST_F(CheckSiteTest, BlankAddressIsClearedInTheBox) {
  EXPECT_FALSE(Run("    "));
  EXPECT_EQ(view_.address, "");
}

TEST_F(CheckSiteTest, TabsAroundTheAddressStayAndMakeItInvalid) {
  EXPECT_FALSE(Run(" \ta.b.c "));
  EXPECT_EQ(view_.address, "\ta.b.c");
}

TEST_F(CheckSiteTest, AlreadyTrustedHostIsNotAddedAgain) {
  test::PutDword(registry_, std::string(zone_keys::kRanges) + "Range7", "http", 2);
  test::PutString(registry_, std::string(zone_keys::kRanges) + "Range7", ":Range", "10.1.2.3");
  const int creates = registry_.CallCount(RegistryCall::kCreateKey);
  EXPECT_TRUE(Run("10.1.2.3"));
  EXPECT_EQ(view_.lines, kSuccessLines);
  // The zone's record, its sites and the Allow key: no zone-map key.
  EXPECT_EQ(registry_.CallCount(RegistryCall::kCreateKey), creates + 3);
}

TEST_F(CheckSiteTest, AddFailureEndsAfterFourLines) {
  registry_.FailCall(RegistryCall::kSetValue, 1, status::kAccessDenied);
  EXPECT_FALSE(Run("a.b.c"));
  EXPECT_EQ(view_.lines, FirstLines(4, texts::kTrustedSiteFailed));
  EXPECT_EQ(view_.messages, (std::vector<ShownMessage>{{"信任站点添加失败。", MessageStyle::kExclamation}}));
  EXPECT_EQ(outcome_.failed, CheckStep::kTrustedSite);
  EXPECT_EQ(outcome_.failed_status, status::kAccessDenied);
  EXPECT_EQ(outcome_.completed, Steps{CheckStep::kAddress});
  EXPECT_FALSE(test::GetDword(registry_, std::string(zone_keys::kZone2), "1001").has_value());
  EXPECT_TRUE(store_.saved.empty());
}

TEST_F(CheckSiteTest, PermissionFailureEndsAfterSixLines) {
  // After the host's entry, the record's mark and the host in its sites: the zone's second value.
  registry_.FailCall(RegistryCall::kSetValue, 5, status::kAccessDenied);
  EXPECT_FALSE(Run("a.b.c"));
  EXPECT_EQ(view_.lines, FirstLines(6, texts::kPermissionsFailed));
  EXPECT_EQ(view_.messages, (std::vector<ShownMessage>{{"设置权限失败。", MessageStyle::kExclamation}}));
  EXPECT_EQ(outcome_.failed, CheckStep::kPermissions);
  EXPECT_EQ(outcome_.failed_status, status::kAccessDenied);
  EXPECT_TRUE(store_.saved.empty());
}

TEST_F(CheckSiteTest, SaveFailureIsNotSuccess) {
  store_.fail_with = 5;
  EXPECT_FALSE(Run("a.b.c"));
  EXPECT_EQ(view_.lines, FirstLines(6, texts::kSaveFailed));
  EXPECT_EQ(view_.messages, (std::vector<ShownMessage>{{"网址保存失败。", MessageStyle::kExclamation}}));
  EXPECT_EQ(outcome_.failed, CheckStep::kSave);
  EXPECT_EQ(outcome_.failed_status, 5);
  EXPECT_EQ(outcome_.completed, (Steps{CheckStep::kAddress, CheckStep::kTrustedSite, CheckStep::kPermissions}));
  EXPECT_FALSE(outcome_.Saved());
}

TEST_F(CheckSiteTest, EachRunStartsAFreshList) {
  EXPECT_FALSE(Run(""));
  EXPECT_TRUE(Run("a.b.c"));
  EXPECT_TRUE(Run("a.b.c"));
  EXPECT_EQ(view_.lines, kSuccessLines);
  EXPECT_EQ(store_.saved.size(), 2u);
}

}  // namespace
}  // namespace orvel
