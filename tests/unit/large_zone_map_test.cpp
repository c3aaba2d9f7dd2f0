// A zone map that has grown large: 10,000 Range entries and 10,000 domain
// entries. Built into the native tests over the in-memory registry and into
// the Windows tests over a scratch key of the real one. Times are printed,
// not asserted.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "tests/support/test_hive.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

constexpr int kEntries = 10000;
const std::string kDomains(zone_keys::kDomains);
const std::string kRanges(zone_keys::kRanges);

std::string RangeHost(int i) {
  return "10." + std::to_string(i / 65536) + "." + std::to_string(i / 256 % 256) + "." + std::to_string(i % 256);
}
std::string DomainHost(int i) { return "host" + std::to_string(i % 100) + ".site" + std::to_string(i / 100) + ".cn"; }

template <typename Work>
auto Timed(const char* what, Work work) {
  const auto start = std::chrono::steady_clock::now();
  auto result = work();
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("large zone map: %-44s %9.1f ms\n", what, ms);
  return result;
}

TEST(LargeZoneMap, TenThousandEntriesOfEachKind) {
  const auto hive = test::MakeTestHive();
  Registry& reg = hive->registry();
  Timed("writing 10,000 Range and 10,000 domain entries", [&] {
    for (int i = 1; i <= kEntries; ++i) {
      const std::string range = kRanges + "Range" + std::to_string(i);
      test::PutDword(reg, range, "http", 2);
      test::PutString(reg, range, ":Range", RangeHost(i));
      test::PutDword(reg, DomainEntryPath(DomainHost(i)), "http", 2);
    }
    return 0;
  });
  const std::vector<std::string> before = hive->Dump();

  // Range9999 is listed last, so its entry is the last one read.
  EXPECT_TRUE(Timed("IsTrustedSite, numeric, last entry",
                    [&] { return IsTrustedSite(reg, RangeHost(9999), HostKind::kNumeric); }));
  EXPECT_TRUE(Timed("IsTrustedSite, domain", [&] { return IsTrustedSite(reg, DomainHost(5000), HostKind::kDomain); }));
  EXPECT_FALSE(Timed("IsTrustedSite, numeric, not there",
                     [&] { return IsTrustedSite(reg, "192.168.0.1", HostKind::kNumeric); }));
  EXPECT_FALSE(Timed("IsTrustedSite, domain, not there",
                     [&] { return IsTrustedSite(reg, "www.example.cn", HostKind::kDomain); }));
  // The rule's Range10 and every name up to Range10000 are taken.
  EXPECT_EQ(Timed("AddTrustedSite, numeric", [&] { return AddTrustedSite(reg, "192.168.0.1", HostKind::kNumeric); }),
            0);
  EXPECT_EQ(Timed("AddTrustedSite, domain", [&] { return AddTrustedSite(reg, "www.example.cn", HostKind::kDomain); }),
            0);

  const std::vector<std::string> after = hive->Dump();
  EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
  std::vector<std::string> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  const std::string range = kRanges + "Range10001";
  const std::string domain = kDomains + "example.cn";
  EXPECT_EQ(added,
            (std::vector<std::string>{domain, domain + "\\www", domain + "\\www|http=4:02000000", range,
                                      range + "|:Range=1:3139322e3136382e302e3100", range + "|http=4:02000000"}));
}

}  // namespace
}  // namespace orvel
