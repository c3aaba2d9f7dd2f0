// A whole check over the real registry: exactly the zone keys and values and
// the tool's record of the zone, and nothing else, end up below the root.
#include <gtest/gtest.h>

#include <algorithm>

#include "check/check_presenter.h"
#include "check/check_site.h"
#include "tests/support/recording_view.h"
#include "tests/support/scratch_hive.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_hive.h"
#include "win/saved_address_file.h"
#include "win/win32_ansi_codec.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

std::string Key(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

// The key, every key above it, and its values.
void Expect(std::vector<std::string>& lines, std::string_view path, std::vector<std::string> values = {}) {
  const std::string key = Key(path);
  for (size_t end = key.find('\\'); end != std::string::npos; end = key.find('\\', end + 1)) {
    lines.push_back(key.substr(0, end));
  }
  lines.push_back(key);
  for (const std::string& value : values) lines.push_back(key + "|" + value);
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

const std::vector<std::string> kZoneValues = {"1001=4:00000000", "1004=4:00000000", "1200=4:00000000",
                                              "1201=4:00000000", "1405=4:00000000", "2201=4:00000000",
                                              "2200=4:00000000", "1809=4:03000000"};

class FullCheck : public testing::Test {
 protected:
  FullCheck() { test::PutKey(hive_.registry(), zone_keys::kZone2); }
  bool Run(const std::string& address) {
    const CheckOutcome outcome = test::CheckTyped(address, {.hives = {hive_.registry(), machine_}}, &file_);
    ShowCheck(view_, outcome);
    return outcome.Succeeded();
  }

  test::ScratchHive hive_;
  // Stands in for HKEY_LOCAL_MACHINE, read only as the product reads it.
  test::ScratchHive machine_hive_;
  Win32Registry machine_ = Win32Registry::ReadOnly(machine_hive_.root(), 0);
  test::TempFolder folder_;
  Win32AnsiCodec codec_;
  SavedAddressFile file_{folder_.path() + L"\\ca.dat", codec_};
  test::RecordingView view_;
};

TEST_F(FullCheck, DomainLeavesItsEntryTheZoneAndThePopupValue) {
  ASSERT_TRUE(Run(" http://portal.example.cn:8080/orvel "));
  std::vector<std::string> expected;
  Expect(expected, zone_keys::kZone2, kZoneValues);
  Expect(expected, std::string(zone_keys::kDomains) + "example.cn\\portal", {"http=4:02000000"});
  Expect(expected, zone_keys::kAllow, {"portal.example.cn=3:0000"});
  // The zone's settings were all absent: the record holds its mark alone.
  Expect(expected, zone_keys::kZoneRecord, {"Recorded=4:01000000"});
  Expect(expected, zone_keys::kZoneRecordSites, {"portal.example.cn=4:01000000"});
  EXPECT_EQ(hive_.Dump(), Sorted(expected));
  EXPECT_EQ(test::ReadBytes(file_.path()), "http://portal.example.cn:8080/orvel\r\n");
}

TEST_F(FullCheck, NumericLeavesARangeEntry) {
  ASSERT_TRUE(Run("10.1.2.3/orvel"));
  std::vector<std::string> expected;
  Expect(expected, zone_keys::kZone2, kZoneValues);
  Expect(expected, std::string(zone_keys::kRanges) + "Range1", {"http=4:02000000", ":Range=1:31302e312e322e3300"});
  Expect(expected, zone_keys::kAllow, {"10.1.2.3=3:0000"});
  Expect(expected, zone_keys::kZoneRecord, {"Recorded=4:01000000"});
  Expect(expected, zone_keys::kZoneRecordSites, {"10.1.2.3=4:01000000"});
  EXPECT_EQ(hive_.Dump(), Sorted(expected));
}

TEST_F(FullCheck, MissingZoneKeyFailsAndSavesNothing) {
  RegDeleteTreeW(hive_.root(), L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones");
  EXPECT_FALSE(Run("a.b.c"));
  EXPECT_EQ(view_.lines.back(), "设置权限失败。");
  EXPECT_TRUE(test::FolderEntries(folder_.path()).empty());
}

TEST_F(FullCheck, PoliciesAreReadFromTheRealRegistryAndNeverWritten) {
  test::PutString(machine_hive_.registry(), zone_keys::kPolicySiteList, "other.example.cn", "2");
  test::PutString(machine_hive_.registry(), zone_keys::kPolicySiteList, "http://*.example.org", "2");
  test::PutDword(machine_hive_.registry(), zone_keys::kPolicyZone2, "1201", 3);
  const std::vector<std::string> machine_before = machine_hive_.Dump();

  ASSERT_TRUE(Run("portal.example.cn"));
  ASSERT_EQ(view_.lines.size(), 8u);
  EXPECT_EQ(view_.lines[6], "组策略的站点到区域分配列表未将本站点列为受信任站点，以上设置不起作用。");
  EXPECT_EQ(view_.lines[7], "组策略锁定了受信任站点区域的以下设置：1201。");
  ASSERT_TRUE(Run("a.example.org"));
  EXPECT_EQ(view_.lines.size(), 7u);  // the wildcard names it: only the locked action

  RegistryKey key(machine_);
  EXPECT_EQ(key.Create(zone_keys::kPolicySettings), ERROR_ACCESS_DENIED);
  ASSERT_EQ(key.Open(zone_keys::kPolicyZone2), ERROR_SUCCESS);
  EXPECT_EQ(key.SetDword("1201", 0), ERROR_ACCESS_DENIED);
  key.Close();
  EXPECT_EQ(machine_hive_.Dump(), machine_before);
}

}  // namespace
}  // namespace orvel
