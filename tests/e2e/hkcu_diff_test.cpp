// The whole of HKEY_CURRENT_USER before and after checks made through the
// window: the only lines that change are the zone-map entries, the zone-2
// values, the tool's record of them and the pop-up entries of the hosts
// checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>

#include "app/control_ids.h"
#include "tests/e2e/product.h"
#include "tests/e2e/registry_probe.h"
#include "tests/support/registry_lines.h"
#include "tests/support/temp_folder.h"
#include "win/utf16_text.h"
#include "zones/zone_keys.h"

namespace orvel::e2e {
namespace {

using Lines = std::set<std::string>;

std::string Key(std::string_view path) {
  if (path.ends_with('\\')) path.remove_suffix(1);
  return std::string(path);
}

// Wine's own volatile key for system parameters that last one session. Wine
// adds its Control Panel\Mouse subkey by itself while the first windows are
// shown; neither the program nor this test sets a system parameter, and
// Windows has no such key.
constexpr std::string_view kWineSession = "Software\\Wine\\Temporary System Parameters";

Lines Hkcu() {
  Lines lines;
  for (std::string& line : test::RegistryLines(HKEY_CURRENT_USER)) {
    if (!line.starts_with(kWineSession)) lines.insert(std::move(line));
  }
  return lines;
}

std::vector<std::string> Minus(const Lines& from, const Lines& taken) {
  std::vector<std::string> rest;
  std::set_difference(from.begin(), from.end(), taken.begin(), taken.end(), std::back_inserter(rest));
  return rest;
}

// What one run between two exports changed.
struct Change {
  std::vector<std::string> added;
  std::vector<std::string> removed;
};

Change Between(const Lines& before, const Lines& after) { return {Minus(after, before), Minus(before, after)}; }

// A key the product writes to, with its values: the key itself and whichever
// keys above it were missing before are new.
void Expect(Lines& expected, const Lines& before, std::string_view path, const std::vector<std::string>& values) {
  const std::string key = Key(path);
  for (size_t end = key.find('\\'); end != std::string::npos; end = key.find('\\', end + 1)) {
    if (!before.contains(key.substr(0, end))) expected.insert(key.substr(0, end));
  }
  if (!before.contains(key)) expected.insert(key);
  for (const std::string& value : values) expected.insert(key + "|" + value);
}

std::string Domain(std::string_view rest_and_label) {
  return std::string(zone_keys::kDomains) + std::string(rest_and_label);
}

std::wstring Wide(std::string_view path) { return Utf8ToWide(Key(path)); }

ShownBox Check(Product& product, const std::wstring& address) {
  product.TypeAddress(address);
  product.Press(control_ids::kCheckButton);
  ShownBox box = product.WaitForBox();
  if (box.window != nullptr) product.CloseBox(box);
  return box;
}

TEST(HkcuDiff, ChecksChangeOnlyTheirHostsEntriesTheZoneAndThePopupList) {
  for (std::string_view path :
       {zone_keys::kDomains, zone_keys::kRanges, zone_keys::kAllow, zone_keys::kZone2, zone_keys::kZoneRecordParent}) {
    DeleteTree(Wide(path));
  }
  // The zone's key comes back however the test ends: later tests in this
  // prefix need it.
  struct ZoneKeyBack {
    ~ZoneKeyBack() { CreateKey(Wide(zone_keys::kZone2)); }
  } zone_key_back;
  const test::TempFolder folder;

  // First without a zone-2 key, so the check fails after it has added the
  // zone-map entry; then with an empty one, for the checks that succeed.
  const Lines before_failing = Hkcu();
  Lines after_failing;
  Lines before_rest;
  {
    Product product(folder.path());
    EXPECT_EQ(Check(product, L"http://fail.example.org/").text, L"设置权限失败。");
    after_failing = Hkcu();
    CreateKey(Wide(zone_keys::kZone2));
    before_rest = Hkcu();
    for (const wchar_t* address : {L"portal.example.cn:8080/orvel", L"10.1.2.3", L"*.example.com"}) {
      EXPECT_EQ(Check(product, address).text, L"检测完毕。") << address;
    }
    EXPECT_EQ(Check(product, L"1..2").text, L"您输入的网址不正确。");
  }
  const Lines after_rest = Hkcu();
  std::printf("HKCU: %zu keys and values before, %zu after\n", before_failing.size(), after_rest.size());

  Lines failing;
  Expect(failing, before_failing, Domain("example.org\\fail"), {"http=4:02000000"});
  const Change failing_change = Between(before_failing, after_failing);
  EXPECT_EQ(failing_change.added, std::vector<std::string>(failing.begin(), failing.end()));
  EXPECT_EQ(failing_change.removed, std::vector<std::string>{});

  Lines rest;
  Expect(rest, before_rest, zone_keys::kZone2,
         {"1001=4:00000000", "1004=4:00000000", "1200=4:00000000", "1201=4:00000000", "1405=4:00000000",
          "2201=4:00000000", "2200=4:00000000", "1809=4:03000000"});
  Expect(rest, before_rest, Domain("example.cn\\portal"), {"http=4:02000000"});
  Expect(rest, before_rest, std::string(zone_keys::kRanges) + "Range1",
         {"http=4:02000000", ":Range=1:31302e312e322e3300"});
  Expect(rest, before_rest, Domain("example.com\\*"), {"http=4:02000000"});
  Expect(rest, before_rest, zone_keys::kAllow, {"portal.example.cn=3:0000", "10.1.2.3=3:0000", "*.example.com=3:0000"});
  // Taken before the first check changed the zone, whose settings were all absent.
  Expect(rest, before_rest, zone_keys::kZoneRecord, {"Recorded=4:01000000"});
  Expect(rest, before_rest, zone_keys::kZoneRecordSites,
         {"portal.example.cn=4:01000000", "10.1.2.3=4:01000000", "*.example.com=4:01000000"});
  const Change rest_change = Between(before_rest, after_rest);
  EXPECT_EQ(rest_change.added, std::vector<std::string>(rest.begin(), rest.end()));
  EXPECT_EQ(rest_change.removed, std::vector<std::string>{});
}

}  // namespace
}  // namespace orvel::e2e
