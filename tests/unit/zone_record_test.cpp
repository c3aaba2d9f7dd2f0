// What the zone's settings were, recorded before the check first changes them
// and put back when the tool's last site leaves: over the in-memory registry
// and, in the Windows build, over a scratch key of the real one.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check/address.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/test_hive.h"
#ifdef _WIN32
#include "tests/support/scratch_hive.h"
#endif
#include "zones/remove_site.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"
#include "zones/zone_permissions.h"
#include "zones/zone_record.h"

namespace orvel {
namespace {

using test::HasKey;
using test::PutDword;
using test::PutKey;
using test::PutString;
using Lines = std::vector<std::string>;
using Prepare = std::function<void(Registry&)>;

constexpr int32_t kDenied = status::kAccessDenied;
constexpr std::string_view kHttps = "https://";

// The zone's settings, and every value beside them, as lines.
Lines ZoneValues(test::TestHive& hive) {
  const std::string zone(WithoutTrailingBackslash(zone_keys::kZone2));
  Lines lines;
  for (const std::string& line : hive.Dump()) {
    if (line.starts_with(zone)) lines.push_back(line);
  }
  return lines;
}

// What the check writes for an address.
void Check(Registry& registry, const std::string& address) {
  const Site site = ParseSiteAddress(address).site;
  ASSERT_EQ(TrustSite(registry, site), 0);
  ASSERT_EQ(SetZonePermissions(registry, site.host), 0);
}

// What remove takes for an address: with "https://" that scheme alone.
ZoneReleaseResult Remove(Registry& registry, const std::string& address) {
  const Site site = ParseSiteAddress(address).site;
  const RemovedSchemes schemes = address.starts_with(kHttps) ? RemovedSchemes::kTheSites : RemovedSchemes::kEvery;
  EXPECT_EQ(RemoveTrustedSite(registry, site, schemes).result, 0);
  return ReleaseZoneRecord(registry, site);
}

void Sz(Registry& registry, std::string_view name, std::string_view text) {
  PutString(registry, zone_keys::kZone2, name, text);
}
void Dword(Registry& registry, std::string_view name, uint32_t value) {
  PutDword(registry, zone_keys::kZone2, name, value);
}
// The settings expected in the end are made by the same steps, where a
// value may not be there to delete.
void Delete(Registry& registry, std::string_view name) {
  RegistryKey zone(registry);
  ASSERT_EQ(zone.Open(zone_keys::kZone2), 0);
  const int32_t deleted = zone.DeleteValue(name);
  EXPECT_TRUE(deleted == 0 || IsMissing(deleted)) << deleted;
}
// A copy an earlier check left before it failed, without the record's mark.
void StaleCopy(Registry& registry) { PutDword(registry, zone_keys::kZoneRecord, "1001", 0); }
void AllHeld(Registry& registry) {
  for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings) {
    Dword(registry, zone_keys::ActionValueName(setting.action), setting.policy);
  }
}

class ZoneRecord : public testing::TestWithParam<test::HiveMaker> {
 protected:
  // A fresh hive with the zone's key, then `setup`.
  std::unique_ptr<test::TestHive> Made(const Prepare& setup) {
    std::unique_ptr<test::TestHive> hive = GetParam()();
    PutKey(hive->registry(), zone_keys::kZone2);
    if (setup) setup(hive->registry());
    return hive;
  }
  Registry& Fresh(const Prepare& setup) {
    hive_ = Made(setup);
    return reg();
  }
  Registry& reg() { return hive_->registry(); }

  std::unique_ptr<test::TestHive> hive_;
};

// One step: a check or a removal of an address, or the user's own change.
struct Step {
  enum Kind : uint8_t { kCheck, kRemove, kUser } kind;
  std::string address;
  Prepare change = {};
};

struct RecordCase {
  const char* name;
  Prepare before;  // the zone before the first check, and the tool's key
  std::vector<Step> steps;
  std::vector<ZoneRelease> releases;  // each removal's, in order
  int values_left = 0;                // the last removal's
  bool other_in_tools_key = false;
};

// In the end the settings are as they were before the first check, except
// those the user changed since, and the record is gone.
TEST_P(ZoneRecord, SettingsGoBackWhenTheToolsLastSiteLeaves) {
  const Prepare was = [](Registry& r) {
    Dword(r, "1001", 3);
    Sz(r, "1200", "3");
    Dword(r, "1405", 1);
    Dword(r, "1A00", 65536);
  };
  const auto check = [](std::string address) { return Step{Step::kCheck, std::move(address)}; };
  const auto remove = [](std::string address) { return Step{Step::kRemove, std::move(address)}; };
  const auto user = [](Prepare change) { return Step{Step::kUser, {}, std::move(change)}; };
  using enum ZoneRelease;
  const RecordCase cases[] = {
      {"absent, DWORD and REG_SZ values come back", was, {check("a.b.c"), remove("a.b.c")}, {kRestored}},
      {"a second site keeps the zone relaxed until the last leaves",
       was,
       {check("a.b.c"), check("10.0.0.1"), remove("a.b.c"), remove("10.0.0.1")},
       {kKept, kRestored}},
      {"https beside http keeps the host's record",
       was,
       {check("a.b.c"), check("https://a.b.c"), remove("https://a.b.c"), remove("a.b.c")},
       {kKept, kRestored}},
      {"a host never set up leaves the record as it is",
       was,
       {check("a.b.c"), remove("x.y.z"), remove("a.b.c")},
       {kKept, kRestored}},
      {"settings someone changed since stay",
       was,
       {check("a.b.c"), user([](Registry& r) { Dword(r, "1004", 1); }), user([](Registry& r) { Delete(r, "1405"); }),
        remove("a.b.c")},
       {kRestored},
       2},
      {"a setting changed back to what it was is not counted",
       was,
       {check("a.b.c"), user([](Registry& r) { Dword(r, "1001", 3); }), user([](Registry& r) { Delete(r, "2200"); }),
        remove("a.b.c")},
       {kRestored}},
      {"nothing recorded when nothing changes", AllHeld, {check("a.b.c"), remove("a.b.c")}, {kNoRecord}},
      {"an incomplete record is taken again",
       [&](Registry& r) {
         was(r);
         StaleCopy(r);
       },
       {check("a.b.c"), remove("a.b.c")},
       {kRestored}},
      {"an incomplete record alone goes with a removal", StaleCopy, {remove("a.b.c")}, {kNoRecord}},
      {"the tool's key stays for what else is in it",
       [&](Registry& r) {
         was(r);
         PutKey(r, "Software\\ORVEL\\Other");
       },
       {check("a.b.c"), remove("a.b.c")},
       {kRestored},
       0,
       true},
  };
  for (const RecordCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The settings as they should end: as before, with the user's changes.
    Fresh(c.before);
    for (const Step& step : c.steps) {
      if (step.kind == Step::kUser) step.change(reg());
    }
    const Lines expected = ZoneValues(*hive_);

    Fresh(c.before);
    std::vector<ZoneRelease> releases;
    ZoneReleaseResult last;
    for (const Step& step : c.steps) {
      const Lines zone_before = ZoneValues(*hive_);
      if (step.kind == Step::kUser) step.change(reg());
      if (step.kind == Step::kCheck) {
        Check(reg(), step.address);
        EXPECT_TRUE(ZoneValues(*hive_) == zone_before || HasZoneRecord(reg())) << "changed before recording";
      }
      if (step.kind != Step::kRemove) continue;
      last = Remove(reg(), step.address);
      EXPECT_EQ(last.result, 0);
      releases.push_back(last.outcome);
      EXPECT_EQ(HasZoneRecord(reg()), last.outcome == ZoneRelease::kKept);
      if (last.outcome == ZoneRelease::kKept) {
        EXPECT_EQ(ZoneValues(*hive_), zone_before);
      }
    }
    EXPECT_EQ(releases, c.releases);
    EXPECT_EQ(last.values_left, c.values_left);
    EXPECT_EQ(ZoneValues(*hive_), expected);
    EXPECT_FALSE(HasKey(reg(), zone_keys::kZoneRecord));
    EXPECT_EQ(HasKey(reg(), zone_keys::kZoneRecordParent), c.other_in_tools_key);
  }
}

// The zone before the check: values of two types, a stale incomplete record.
void Before(Registry& registry) {
  Dword(registry, "1001", 3);
  Sz(registry, "1200", "3");
  StaleCopy(registry);
  PutDword(registry, zone_keys::kZoneRecord, "2200", 1);
}

// Each call of the permission step fails in turn: only a close goes
// unreported, no setting changes before the record is complete, and the next
// check and removal bring back what the zone was.
TEST_P(ZoneRecord, AFailedRecordChangesNoSettingAndTheNextCheckFinishes) {
  const Lines zone_before = [&] {
    Fresh(Before);
    return ZoneValues(*hive_);
  }();
  const std::unique_ptr<test::TestHive> counted = Made(Before);
  FaultyRegistry counter(counted->registry());
  ASSERT_EQ(SetZonePermissions(counter, "a.b.c"), 0);
  for (const RegistryCall call : {RegistryCall::kOpenKey, RegistryCall::kCreateKey, RegistryCall::kSetValue,
                                  RegistryCall::kQueryValue, RegistryCall::kDeleteValue, RegistryCall::kCloseKey}) {
    for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
      SCOPED_TRACE("call kind " + std::to_string(static_cast<int>(call)) + " #" + std::to_string(nth));
      FaultyRegistry faulty(Fresh(Before));
      faulty.FailCall(call, nth, kDenied);
      EXPECT_EQ(SetZonePermissions(faulty, "a.b.c"), call == RegistryCall::kCloseKey ? 0 : kDenied);
      EXPECT_EQ(faulty.OpenHandleCount(), 0u);
      EXPECT_TRUE(ZoneValues(*hive_) == zone_before || HasZoneRecord(reg())) << "changed before recording";

      ASSERT_EQ(SetZonePermissions(reg(), "a.b.c"), 0);
      EXPECT_EQ(ReleaseZoneRecord(reg(), ParseSiteAddress("a.b.c").site).outcome, ZoneRelease::kRestored);
      EXPECT_EQ(ZoneValues(*hive_), zone_before);
    }
  }
}

// Each call of the restore fails in turn: a failure keeps the record and is
// never told as restored, and the next removal finishes.
TEST_P(ZoneRecord, AFailedRestoreKeepsTheRecordAndTheNextRemovalFinishes) {
  const Prepare checked = [](Registry& r) {
    Dword(r, "1001", 3);
    Sz(r, "1200", "3");
    ASSERT_EQ(SetZonePermissions(r, "a.b.c"), 0);
    Dword(r, "1004", 1);  // the user's, since
  };
  const Lines expected = [&] {
    Fresh([](Registry& r) {
      Dword(r, "1001", 3);
      Sz(r, "1200", "3");
      Dword(r, "1004", 1);
    });
    return ZoneValues(*hive_);
  }();
  const Site site = ParseSiteAddress("a.b.c").site;
  const std::unique_ptr<test::TestHive> counted = Made(checked);
  FaultyRegistry counter(counted->registry());
  ASSERT_EQ(ReleaseZoneRecord(counter, site).outcome, ZoneRelease::kRestored);
  for (const RegistryCall call :
       {RegistryCall::kOpenKey, RegistryCall::kQueryValue, RegistryCall::kSetValue, RegistryCall::kDeleteValue,
        RegistryCall::kDeleteKey, RegistryCall::kEnumKey, RegistryCall::kEnumValue, RegistryCall::kCloseKey}) {
    for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
      SCOPED_TRACE("call kind " + std::to_string(static_cast<int>(call)) + " #" + std::to_string(nth));
      FaultyRegistry faulty(Fresh(checked));
      faulty.FailCall(call, nth, kDenied);
      ZoneReleaseResult release = ReleaseZoneRecord(faulty, site);
      EXPECT_EQ(faulty.OpenHandleCount(), 0u);
      if (call == RegistryCall::kSetValue || call == RegistryCall::kDeleteValue) {
        EXPECT_EQ(release.result, kDenied);
      }
      if (release.result != 0) {
        EXPECT_NE(release.outcome, ZoneRelease::kRestored);
        EXPECT_TRUE(HasZoneRecord(reg()));
        release = ReleaseZoneRecord(reg(), site);
      }
      EXPECT_EQ(release.result, 0);
      EXPECT_EQ(release.outcome, ZoneRelease::kRestored);
      EXPECT_EQ(release.values_left, 1);
      EXPECT_EQ(ZoneValues(*hive_), expected);
      EXPECT_FALSE(HasKey(reg(), zone_keys::kZoneRecord));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(InMemory, ZoneRecord, testing::Values(&test::MakeMemoryHive),
                         [](const auto&) { return std::string("Registry"); });
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(ScratchKey, ZoneRecord, testing::Values(&test::MakeScratchHive),
                         [](const auto&) { return std::string("Registry"); });
#endif

}  // namespace
}  // namespace orvel
