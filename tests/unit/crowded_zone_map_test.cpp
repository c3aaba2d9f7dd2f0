// A zone map where every Range name from Range1 up is taken, and as many
// domain entries, over the in-memory registry and, in the Windows build, over
// a scratch key of the real one; `make bench` times maps of 10,000 entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/test_hive.h"
#ifdef _WIN32
#include "tests/support/scratch_hive.h"
#endif
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

// Enough that the listing's last name (Range9) is not the highest one and
// the rule's next name (Range10) is taken.
constexpr int kEntries = 30;
const std::string kDomains(zone_keys::kDomains);
const std::string kRanges(zone_keys::kRanges);

std::string RangeHost(int i) { return "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256); }
std::string DomainHost(int i) { return "host" + std::to_string(i) + ".site" + std::to_string(i % 7) + ".cn"; }

class CrowdedZoneMap : public testing::TestWithParam<test::HiveMaker> {};

TEST_P(CrowdedZoneMap, NewEntriesTakeTheNextFreeNameAndOverwriteNothing) {
  const auto hive = GetParam()();
  Registry& reg = hive->registry();
  for (int i = 1; i <= kEntries; ++i) {
    const std::string range = kRanges + "Range" + std::to_string(i);
    test::PutDword(reg, range, "http", 2);
    test::PutString(reg, range, ":Range", RangeHost(i));
    test::PutDword(reg, DomainEntryPath(DomainHost(i)), "http", 2);
  }
  const std::vector<std::string> before = hive->Dump();

  for (const int i : {1, 9, 10, kEntries}) {
    EXPECT_TRUE(IsTrustedSite(
        reg, Site{.host = std::string(RangeHost(i)), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}))
        << RangeHost(i);
    EXPECT_TRUE(IsTrustedSite(
        reg, Site{.host = std::string(DomainHost(i)), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}))
        << DomainHost(i);
  }
  EXPECT_FALSE(IsTrustedSite(
      reg, Site{.host = std::string(RangeHost(kEntries + 1)), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
  EXPECT_FALSE(IsTrustedSite(
      reg, Site{.host = std::string("192.168.0.1"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
  EXPECT_FALSE(IsTrustedSite(
      reg, Site{.host = std::string(DomainHost(kEntries + 1)), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_FALSE(IsTrustedSite(
      reg, Site{.host = std::string("www.example.cn"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));

  EXPECT_EQ(AddTrustedSite(
                reg, Site{.host = std::string("192.168.0.1"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}),
            0);
  EXPECT_EQ(AddTrustedSite(
                reg, Site{.host = std::string("www.example.cn"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}),
            0);

  const std::vector<std::string> after = hive->Dump();
  EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
  std::vector<std::string> added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  const std::string range = kRanges + "Range" + std::to_string(kEntries + 1);
  const std::string domain = kDomains + "example.cn";
  EXPECT_EQ(added,
            (std::vector<std::string>{domain, domain + "\\www", domain + "\\www|http=4:02000000", range,
                                      range + "|:Range=1:3139322e3136382e302e3100", range + "|http=4:02000000"}));
}

INSTANTIATE_TEST_SUITE_P(InMemory, CrowdedZoneMap, testing::Values(&test::MakeMemoryHive),
                         [](const auto&) { return std::string("Registry"); });
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(ScratchKey, CrowdedZoneMap, testing::Values(&test::MakeScratchHive),
                         [](const auto&) { return std::string("Registry"); });
#endif

}  // namespace
}  // namespace orvel
