// Zone-map scenarios, over the in-memory registry and, in the Windows build,
// over a scratch key of the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "tests/support/faulty_registry.h"
#include "tests/support/test_hive.h"
#ifdef _WIN32
#include "tests/support/scratch_hive.h"
#endif
#include "zones/remove_site.h"
#include "zones/site_status.h"
#include "zones/subkeys.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"
#include "zones/zone_permissions.h"
#include "zones/zone_record.h"

namespace orvel {
namespace {

using test::GetDword;
using test::GetValue;
using test::HasKey;
using test::PutDword;
using test::PutKey;
using test::PutString;

const std::string kDomains(zone_keys::kDomains);
const std::string kRanges(zone_keys::kRanges);
const std::string kZone2(zone_keys::kZone2);
const std::string kAllow(zone_keys::kAllow);

class ZoneScenario : public testing::TestWithParam<test::HiveMaker> {
 protected:
  Registry& reg() { return hive_->registry(); }
  void PutRange(const std::string& name, const std::string& host, uint32_t zone = 2) {
    PutDword(reg(), kRanges + name, "http", zone);
    PutString(reg(), kRanges + name, ":Range", host);
  }

  std::unique_ptr<test::TestHive> hive_ = GetParam()();
};

TEST_P(ZoneScenario, DomainOnAnEmptyZoneMapIsAddedUnderItsRest) {
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}), 0);
  EXPECT_EQ(GetDword(reg(), kDomains + "b.c\\a", "http"), 2u);
  EXPECT_TRUE(
      IsTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("x.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
}

// Each scheme has its own value on the host's one entry: https first writes
// no http value, and http afterwards joins it on the same key or Range entry.
TEST_P(ZoneScenario, EachSchemeIsAValueOnTheHostsOneEntry) {
  PutRange("Range1", "10.0.0.1");
  const struct {
    std::string host;
    HostKind kind;
    std::string entry;
  } rows[] = {{"secure.example.cn", HostKind::kDomain, kDomains + "example.cn\\secure"},
              {"10.1.1.9", HostKind::kNumeric, kRanges + "Range2"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.host);
    EXPECT_EQ(AddTrustedSite(reg(), Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttps}),
              0);
    EXPECT_EQ(GetDword(reg(), row.entry, "https"), 2u);
    EXPECT_EQ(GetDword(reg(), row.entry, "http"), std::nullopt);
    EXPECT_TRUE(IsTrustedSite(reg(), Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttps}));
    EXPECT_FALSE(IsTrustedSite(reg(), Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttp}));

    EXPECT_EQ(AddTrustedSite(reg(), Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttp}), 0);
    EXPECT_EQ(GetDword(reg(), row.entry, "http"), 2u);
    EXPECT_EQ(GetDword(reg(), row.entry, "https"), 2u);
  }
  std::vector<std::string> names;
  EXPECT_EQ(EnumSubkeys(reg(), kRanges, names), 2u);
  EXPECT_EQ(GetValue(reg(), kRanges + "Range2", ":Range"), std::string("10.1.1.9", 9));
}

TEST_P(ZoneScenario, ShortDomainsAreTheirOwnKey) {
  EXPECT_EQ(AddTrustedSite(reg(), Site{.host = std::string("b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}),
            0);
  EXPECT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("intranet"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}),
      0);
  EXPECT_EQ(GetDword(reg(), kDomains + "b.c", "http"), 2u);
  EXPECT_EQ(GetDword(reg(), kDomains + "intranet", "http"), 2u);
  EXPECT_TRUE(
      IsTrustedSite(reg(), Site{.host = std::string("b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_EQ(DomainEntryPath("a.b.c.d"), kDomains + "b.c.d\\a");
  EXPECT_EQ(DomainEntryPath("b.c"), kDomains + "b.c\\");
}

TEST_P(ZoneScenario, AlreadyMappedDomainIsFoundOnlyAsADword) {
  PutDword(reg(), kDomains + "b.c\\a", "http", 2);
  EXPECT_TRUE(
      IsTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_TRUE(IsTrustedSite(
      reg(),
      Site{.host = std::string("A.B.C"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));  // keys ignore case
  // A value of another type or size is not the zone number: it is written again.
  const std::pair<ValueType, std::string> wrong[] = {{ValueType::kBinary, std::string("\x02\0\0\0", 4)},
                                                     {ValueType::kString, std::string("2\0", 2)},
                                                     {ValueType::kBinary, "\x02"}};
  for (const auto& [type, data] : wrong) {
    test::PutValue(reg(), kDomains + "e.f\\d", "http", type, data);
    EXPECT_FALSE(
        IsTrustedSite(reg(), Site{.host = std::string("d.e.f"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}))
        << data.size();
    EXPECT_EQ(
        AddTrustedSite(reg(), Site{.host = std::string("d.e.f"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}),
        0);
    EXPECT_TRUE(
        IsTrustedSite(reg(), Site{.host = std::string("d.e.f"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  }
}

TEST_P(ZoneScenario, DomainInAnotherZoneIsMovedToTrustedSites) {
  PutDword(reg(), kDomains + "b.c\\a", "http", 4);
  PutDword(reg(), kDomains + "b.c\\a", "https", 4);
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
  EXPECT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}), 0);
  EXPECT_EQ(GetDword(reg(), kDomains + "b.c\\a", "http"), 2u);
  EXPECT_EQ(GetDword(reg(), kDomains + "b.c\\a", "https"), 4u);
}

TEST_P(ZoneScenario, DomainWithoutHttpValueIsNotTrusted) {
  PutKey(reg(), kDomains + "b.c\\a");
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}));
}

TEST_P(ZoneScenario, NoRangesKeyGivesRange1) {
  std::vector<std::string> names;
  EXPECT_EQ(EnumSubkeys(reg(), kRanges, names), 0u);
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("1.2.3.4"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
  EXPECT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("1.2.3.4"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}),
      0);
  EXPECT_EQ(GetDword(reg(), kRanges + "Range1", "http"), 2u);
  EXPECT_EQ(GetValue(reg(), kRanges + "Range1", ":Range"), std::string("1.2.3.4", 8));
  EXPECT_TRUE(
      IsTrustedSite(reg(), Site{.host = std::string("1.2.3.4"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
}

TEST_P(ZoneScenario, NextRangeFollowsTheLastListedName) {
  PutRange("Range1", "10.0.0.1");
  PutRange("Range3", "10.0.0.3");
  EXPECT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("10.0.0.9"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}),
      0);
  EXPECT_EQ(GetValue(reg(), kRanges + "Range4", ":Range"), std::string("10.0.0.9", 9));
  EXPECT_EQ(GetValue(reg(), kRanges + "Range3", ":Range"), std::string("10.0.0.3", 9));
}

TEST_P(ZoneScenario, TakenNameIsNeverOverwritten) {
  // Listed in registry order, Range9 comes last, and the rule's Range10 is taken.
  PutRange("Range10", "10.0.0.10");
  PutRange("Range9", "10.0.0.9");
  PutRange("Range1", "10.0.0.1");
  EXPECT_EQ(AddTrustedSite(reg(),
                           Site{.host = std::string("10.0.0.77"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}),
            0);
  EXPECT_EQ(GetValue(reg(), kRanges + "Range10", ":Range"), std::string("10.0.0.10", 10));
  EXPECT_EQ(GetValue(reg(), kRanges + "Range2", ":Range"), std::string("10.0.0.77", 10));
}

TEST_P(ZoneScenario, RangeMatchNeedsTheExactTextAndZoneTwo) {
  PutRange("Range1", "1.2.3.4", 4);                           // right text, wrong zone
  PutRange("Range2", "1.2.3.4 ");                             // trailing blank
  PutRange("RangeA", "01.2.3.4");                             // another text
  PutString(reg(), kRanges + "RangeB", ":Range", "1.2.3.4");  // no http value
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string("1.2.3.4"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
  PutRange("RangeC", "1.2.3.4");
  EXPECT_TRUE(
      IsTrustedSite(reg(), Site{.host = std::string("1.2.3.4"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
}

TEST_P(ZoneScenario, OverlongRangeTextCannotMatch) {
  const std::string host(300, '1');
  PutRange("Range1", host);
  EXPECT_FALSE(
      IsTrustedSite(reg(), Site{.host = std::string(host), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
}

TEST_P(ZoneScenario, EnumSubkeysListsInRegistryOrder) {
  for (const char* name : {"Range2", "range10", "Range1", "Other"}) PutKey(reg(), kRanges + name);
  std::vector<std::string> names;
  EXPECT_EQ(EnumSubkeys(reg(), kRanges, names), 4u);
  EXPECT_EQ(names, (std::vector<std::string>{"Other", "Range1", "range10", "Range2"}));
}

TEST_P(ZoneScenario, PermissionsNeedTheZoneKey) {
  EXPECT_NE(SetZonePermissions(reg(), "a.b.c"), 0);
  EXPECT_FALSE(HasKey(reg(), kZone2));
  EXPECT_FALSE(HasKey(reg(), kAllow));
}

TEST_P(ZoneScenario, PermissionsRelaxTheZoneAndAllowPopups) {
  PutDword(reg(), kZone2, "1809", 0);
  PutDword(reg(), kZone2, "1001", 3);
  PutDword(reg(), kZone2, "1A00", 65536);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(SetZonePermissions(reg(), "a.b.c"), 0);
    for (const char* name : {"1001", "1004", "1200", "1201", "1405", "2201", "2200"}) {
      EXPECT_EQ(GetDword(reg(), kZone2, name), 0u) << name;
    }
    EXPECT_EQ(GetDword(reg(), kZone2, "1809"), 3u);
    EXPECT_EQ(GetDword(reg(), kZone2, "1A00"), 65536u);
    EXPECT_EQ(GetValue(reg(), kAllow, "a.b.c"), std::string(2, '\0'));
  }
}

TEST_P(ZoneScenario, AllowValueIsReplacedByTwoZeroBytes) {
  PutKey(reg(), kZone2);
  PutString(reg(), kAllow, "1.2.3.4", "old");
  EXPECT_EQ(SetZonePermissions(reg(), "1.2.3.4"), 0);
  EXPECT_EQ(GetValue(reg(), kAllow, "1.2.3.4"), std::string(2, '\0'));
}

TEST_P(ZoneScenario, TwiceInARowLeavesTheSameTree) {
  PutKey(reg(), kZone2);
  auto run = [&] {
    if (!IsTrustedSite(reg(),
                       Site{.host = std::string("10.1.2.3"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp})) {
      EXPECT_EQ(AddTrustedSite(
                    reg(), Site{.host = std::string("10.1.2.3"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}),
                0);
    }
    EXPECT_EQ(SetZonePermissions(reg(), "10.1.2.3"), 0);
    return hive_->Dump();
  };
  const auto first = run();
  EXPECT_EQ(run(), first);
}

bool IsWrite(RegistryCall call) { return call == RegistryCall::kCreateKey || call == RegistryCall::kSetValue; }

// The first call of one kind fails with a status: a failed
// write is reported and nothing is written after it, a failed read counts as
// "absent", a failed close is ignored, and no key is left open.
TEST_P(ZoneScenario, FailedCallsAreReportedOrHarmlessAndLeaveNoKeyOpen) {
  constexpr int32_t kDenied = status::kAccessDenied;
  enum class Step { kAdd, kPermit };
  constexpr Step add = Step::kAdd;
  constexpr Step permit = Step::kPermit;
  struct Row {
    const char* what;
    RegistryCall call;
    std::string host;
    HostKind kind;
    Step step;
    int32_t expected;
  };
  const Row rows[] = {
      {"the domain entry cannot be made", RegistryCall::kCreateKey, "a.b.c", HostKind::kDomain, add, kDenied},
      {"writing the domain's zone fails", RegistryCall::kSetValue, "a.b.c", HostKind::kDomain, add, kDenied},
      {"closing the new domain entry fails", RegistryCall::kCloseKey, "a.b.c", HostKind::kDomain, add, 0},
      {"listing the ranges fails", RegistryCall::kEnumKey, "10.0.0.9", HostKind::kNumeric, add, 0},
      {"the new range cannot be made", RegistryCall::kCreateKey, "10.0.0.9", HostKind::kNumeric, add, kDenied},
      {"the zone key cannot be opened", RegistryCall::kOpenKey, "a.b.c", HostKind::kDomain, permit, kDenied},
      {"a zone setting fails", RegistryCall::kSetValue, "a.b.c", HostKind::kDomain, permit, kDenied},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    hive_ = GetParam()();
    PutKey(reg(), kZone2);
    PutRange("Range1", "10.0.0.1");
    const auto before = hive_->Dump();

    FaultyRegistry faulty(reg());
    faulty.FailCall(row.call, 1, kDenied);
    EXPECT_EQ(
        row.step == add
            ? AddTrustedSite(faulty, Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttp})
            : SetZonePermissions(faulty, row.host),
        row.expected);
    EXPECT_EQ(faulty.OpenHandleCount(), 0u);

    const auto after = hive_->Dump();
    EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end())) << "an older entry was lost";
    EXPECT_EQ(GetValue(reg(), kRanges + "Range1", ":Range"), std::string("10.0.0.1", 9));
    if (row.expected != 0) {
      const auto& calls = faulty.Calls();
      const auto failed = std::find(calls.begin(), calls.end(), row.call);
      ASSERT_NE(failed, calls.end());
      EXPECT_TRUE(std::none_of(failed + 1, calls.end(), IsWrite)) << "a write after the reported failure";
    }
    if (row.step == add) {
      EXPECT_EQ(IsTrustedSite(reg(), Site{.host = std::string(row.host), .kind = row.kind, .scheme = Scheme::kHttp}),
                row.expected == 0);
    } else {
      EXPECT_FALSE(HasKey(reg(), kAllow));
    }
  }
}

// Each case adds its hosts as a check does, removes one and expects exactly
// the entries listed gone, every other line of the tree as it was.
struct RemoveCase {
  const char* name;
  std::vector<std::string> added;  // "https://" before a host adds it for https, else for http
  std::string removed;
  std::vector<RemovedEntry> expected;
  std::optional<Scheme> scheme = {};  // of the removal: none takes both
};

std::pair<std::string, Scheme> HostAndScheme(const std::string& added) {
  constexpr std::string_view kHttps = "https://";
  if (added.starts_with(kHttps)) return {added.substr(kHttps.size()), Scheme::kHttps};
  return {added, Scheme::kHttp};
}

HostKind KindOf(const std::string& host) {
  return std::all_of(host.begin(), host.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); })
             ? HostKind::kNumeric
             : HostKind::kDomain;
}

const std::string kDomainsKey = kDomains.substr(0, kDomains.size() - 1);
const std::string kRangesKey = kRanges.substr(0, kRanges.size() - 1);

TEST_P(ZoneScenario, RemoveTakesOnlyThisHostsEntries) {
  const RemoveCase cases[] = {
      {"beside another host of its domain",
       {"a.x.example.cn", "b.x.example.cn"},
       "a.x.example.cn",
       {{kDomainsKey + "\\x.example.cn\\a", "http"},
        {kDomainsKey + "\\x.example.cn\\a", ""},
        {kAllow, "a.x.example.cn"}}},
      {"alone: the empty domain key goes too",
       {"a.x.example.cn", "example.cn"},
       "a.x.example.cn",
       {{kDomainsKey + "\\x.example.cn\\a", "http"},
        {kDomainsKey + "\\x.example.cn\\a", ""},
        {kDomainsKey + "\\x.example.cn", ""},
        {kAllow, "a.x.example.cn"}}},
      {"a domain whose key holds another host's entry",
       {"a.example.cn", "example.cn"},
       "example.cn",
       {{kDomainsKey + "\\example.cn", "http"}, {kAllow, "example.cn"}}},
      {"numeric beside another",
       {"10.0.0.1", "10.0.0.2"},
       "10.0.0.2",
       {{kRangesKey + "\\Range2", ""}, {kAllow, "10.0.0.2"}}},
      {"numeric held by two entries",
       {"10.0.0.1", "10.0.0.2", "10.0.0.1"},
       "10.0.0.1",
       {{kRangesKey + "\\ORVEL-10.0.0.1", ""}, {kRangesKey + "\\Range1", ""}, {kAllow, "10.0.0.1"}}},
      {"never added", {"10.0.0.2", "a.example.cn"}, "10.0.0.1", {}},
      {"https beside http: the key and pop-ups stay",
       {"a.x.example.cn", "https://a.x.example.cn"},
       "a.x.example.cn",
       {{kDomainsKey + "\\x.example.cn\\a", "https"}},
       Scheme::kHttps},
      {"both schemes of a domain",
       {"a.x.example.cn", "https://a.x.example.cn"},
       "a.x.example.cn",
       {{kDomainsKey + "\\x.example.cn\\a", "http"},
        {kDomainsKey + "\\x.example.cn\\a", "https"},
        {kDomainsKey + "\\x.example.cn\\a", ""},
        {kDomainsKey + "\\x.example.cn", ""},
        {kAllow, "a.x.example.cn"}}},
      {"https beside http on one Range entry",
       {"10.0.0.1", "https://10.0.0.1"},
       "10.0.0.1",
       {{kRangesKey + "\\Range1", "https"}},
       Scheme::kHttps},
      {"both schemes of one Range entry",
       {"10.0.0.1", "https://10.0.0.1"},
       "10.0.0.1",
       {{kRangesKey + "\\Range1", ""}, {kAllow, "10.0.0.1"}}},
      {"the last scheme of a Range entry",
       {"https://10.0.0.1"},
       "10.0.0.1",
       {{kRangesKey + "\\Range1", "https"}, {kRangesKey + "\\Range1", ""}, {kAllow, "10.0.0.1"}},
       Scheme::kHttps},
      {"a scheme the host was never trusted for", {"https://10.0.0.1"}, "10.0.0.1", {}, Scheme::kHttp},
  };
  for (const RemoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    hive_ = GetParam()();
    PutKey(reg(), kZone2);
    for (size_t i = 0; i < c.added.size(); ++i) {
      const auto [host, scheme] = HostAndScheme(c.added[i]);
      const HostKind kind = KindOf(host);
      // A host added twice gets its second entry as an exported .reg names it.
      if (std::find(c.added.begin(), c.added.begin() + static_cast<long>(i), c.added[i]) !=
          c.added.begin() + static_cast<long>(i)) {
        PutRange("ORVEL-" + c.added[i], c.added[i]);
        continue;
      }
      ASSERT_EQ(AddTrustedSite(reg(), Site{.host = std::string(host), .kind = kind, .scheme = scheme}), 0);
      ASSERT_EQ(SetZonePermissions(reg(), host), 0);
    }
    const std::vector<std::string> before = hive_->Dump();
    const Site removed{.host = c.removed, .kind = KindOf(c.removed), .scheme = c.scheme.value_or(Scheme::kHttp)};

    const RemovedSite site =
        RemoveTrustedSite(reg(), removed, c.scheme ? RemovedSchemes::kTheSites : RemovedSchemes::kEvery);
    EXPECT_EQ(site.result, 0);
    EXPECT_EQ(site.removed, c.expected);
    EXPECT_FALSE(IsTrustedSite(reg(), removed));
    EXPECT_FALSE(IsTrustedSite(
        reg(), Site{.host = c.removed, .kind = removed.kind, .scheme = c.scheme.value_or(Scheme::kHttps)}));

    std::vector<std::string> kept;
    std::copy_if(before.begin(), before.end(), std::back_inserter(kept), [&](const std::string& line) {
      return std::none_of(c.expected.begin(), c.expected.end(), [&](const RemovedEntry& entry) {
        if (!entry.value.empty()) return line.starts_with(entry.key + "|" + entry.value + "=");
        return line == entry.key || line.starts_with(entry.key + "|") || line.starts_with(entry.key + "\\");
      });
    });
    EXPECT_EQ(hive_->Dump(), kept);
  }
}

std::vector<std::string> ZoneValues(test::TestHive& hive) {
  std::vector<std::string> lines = hive.Dump();
  const std::string values = std::string(WithoutTrailingBackslash(zone_keys::kZone2)) + "|";
  std::erase_if(lines, [&](const std::string& line) { return !line.starts_with(values); });
  return lines;
}

// The zone holds 1001 = 3 and 1200 = "3" (REG_SZ) of the eight. A step
// "+address" checks, "-address" removes (an https:// address that scheme
// alone), a setting's name is the user setting it to 1 and "*" all eight as
// the check does; "!n" first makes the nth write of the zone's part fail
// (of a check: 1001's copy, 1200's, the mark; of a removal: 1001 back, 1200).
// Removals give Kept, Restored, No record or Failed; in the end the zone is as
// it was but for the user's changes, and the record is gone.
TEST_P(ZoneScenario, ZoneSettingsGoBackWhenTheToolsLastSiteLeaves) {
  const struct {
    const char* name;
    std::vector<std::string> steps;
    std::string outcomes;
    int left = 0;  // the last removal's values left
  } rows[] = {
      {"absent and REG_SZ values come back", {"+a.b.c", "-a.b.c"}, "R"},
      {"a second site keeps the zone until the last leaves", {"+a.b.c", "+10.0.0.1", "-a.b.c", "-10.0.0.1"}, "KR"},
      {"https beside http keeps the host", {"+a.b.c", "+https://a.b.c", "-https://a.b.c", "-a.b.c"}, "KR"},
      {"a host never set up", {"+a.b.c", "-x.y.z", "-a.b.c"}, "KR"},
      {"a setting changed since stays", {"+a.b.c", "1004", "-a.b.c"}, "R", 1},
      {"nothing recorded when nothing changes", {"*", "+a.b.c", "-a.b.c"}, "N"},
      {"no mark: the next check takes the record again", {"!3+a.b.c", "1004", "+a.b.c", "-a.b.c"}, "R"},
      {"no mark: a removal takes the record away", {"!3+a.b.c", "-a.b.c"}, "N"},
      {"a restore write fails: the next removal finishes", {"+a.b.c", "1809", "!2-a.b.c", "-a.b.c"}, "FR", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    hive_ = GetParam()();
    const std::unique_ptr<test::TestHive> expected = GetParam()();
    for (test::TestHive* each : {hive_.get(), expected.get()}) {
      PutDword(each->registry(), kZone2, "1001", 3);
      PutString(each->registry(), kZone2, "1200", "3");
    }
    std::string outcomes;
    int left = -1;
    for (std::string step : row.steps) {
      FaultyRegistry faulty(reg());
      const bool failing = step[0] == '!';
      if (failing) faulty.FailCall(RegistryCall::kSetValue, step[1] - '0', status::kAccessDenied);
      if (failing) step.erase(0, 2);
      const auto [host, scheme] = HostAndScheme(step.substr(1));
      const Site site{.host = host, .kind = KindOf(host), .scheme = scheme};
      const std::vector<std::string> before = ZoneValues(*hive_);
      if (step[0] == '+') {
        ASSERT_EQ(TrustSite(reg(), site), 0);
        EXPECT_EQ(SetZonePermissions(faulty, site.host), failing ? status::kAccessDenied : 0);
        EXPECT_TRUE(ZoneValues(*hive_) == before || HasZoneRecord(reg())) << "changed before it was recorded";
      } else if (step[0] == '-') {
        const bool typed = step.starts_with("-https://");
        EXPECT_EQ(RemoveTrustedSite(reg(), site, typed ? RemovedSchemes::kTheSites : RemovedSchemes::kEvery).result, 0);
        const ZoneReleaseResult release = ReleaseZoneRecord(faulty, site);
        const bool restored = release.outcome == ZoneRelease::kRestored;
        outcomes += release.result != 0 ? (restored ? '?' : 'F') : "NKR"[static_cast<int>(release.outcome)];
        left = release.values_left;
        EXPECT_EQ(HasZoneRecord(reg()), release.result != 0 || release.outcome == ZoneRelease::kKept);
        EXPECT_TRUE(release.result != 0 || release.outcome != ZoneRelease::kKept || ZoneValues(*hive_) == before);
      } else {
        for (test::TestHive* each : {hive_.get(), expected.get()}) {
          for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings) {
            const std::string name = zone_keys::ActionValueName(setting.action);
            if (step == "*" || step == name) PutDword(each->registry(), kZone2, name, step == "*" ? setting.policy : 1);
          }
        }
      }
      EXPECT_TRUE(!failing || step[0] == '-' || ZoneValues(*hive_) == before) << "a setting written before its record";
    }
    EXPECT_EQ(outcomes, row.outcomes);
    EXPECT_EQ(left, row.left);
    EXPECT_EQ(ZoneValues(*hive_), ZoneValues(*expected));
    EXPECT_FALSE(HasKey(reg(), zone_keys::kZoneRecordParent));
  }
}

TEST_P(ZoneScenario, StatusReadsWhatTheCheckWrites) {
  EXPECT_FALSE(
      ReadSiteStatus(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp})
          .InPlace());
  PutKey(reg(), kZone2);
  ASSERT_EQ(
      AddTrustedSite(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp}), 0);
  ASSERT_EQ(SetZonePermissions(reg(), "a.b.c"), 0);
  const SiteStatus in_place =
      ReadSiteStatus(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp});
  EXPECT_TRUE(in_place.InPlace());
  ASSERT_EQ(in_place.settings.size(), 8u);
  EXPECT_EQ(in_place.settings.back().action, 1809u);
  EXPECT_EQ(in_place.settings.back().actual, 3u);

  PutDword(reg(), kZone2, "1809", 0);
  test::PutValue(reg(), kAllow, "a.b.c", ValueType::kBinary, std::string(3, '\0'));
  const SiteStatus changed =
      ReadSiteStatus(reg(), Site{.host = std::string("a.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp});
  EXPECT_TRUE(changed.trusted);
  EXPECT_FALSE(changed.popups_allowed);
  EXPECT_FALSE(changed.settings.back().holds());
  EXPECT_EQ(changed.settings.back().actual, 0u);
  EXPECT_FALSE(changed.InPlace());
  EXPECT_FALSE(
      ReadSiteStatus(reg(), Site{.host = std::string("x.b.c"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp})
          .trusted);
}

INSTANTIATE_TEST_SUITE_P(InMemory, ZoneScenario, testing::Values(&test::MakeMemoryHive),
                         [](const auto&) { return std::string("Registry"); });
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(ScratchKey, ZoneScenario, testing::Values(&test::MakeScratchHive),
                         [](const auto&) { return std::string("Registry"); });
#endif

}  // namespace
}  // namespace orvel
