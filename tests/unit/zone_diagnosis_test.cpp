#include "zones/zone_diagnosis.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"
#include "zones/zone_keys.h"

namespace orvel {

void PrintTo(const ZoneDiagnosis& d, std::ostream* os) {
  *os << "{machine " << d.machine_settings_only << ", site list " << d.site_list_excludes_host << ", locked "
      << d.locked_actions.size() << ", harden " << d.enhanced_security << "}";
}

namespace {

using test::PutDword;
using test::PutKey;
using test::PutString;

const std::string kSiteList(zone_keys::kPolicySiteList);
const std::string kPolicyZone2(zone_keys::kPolicyZone2);
const std::string kPolicySettings(zone_keys::kPolicySettings);
const std::string kZoneMap(zone_keys::kZoneMap);

void MachineOnly(Registry& registry, uint32_t value) {
  PutDword(registry, kPolicySettings, "Security_HKLM_only", value);
}

// The findings of a case, from the flags and locked actions given.
ZoneDiagnosis Found(bool machine, bool site_list, std::vector<std::string> locked, bool harden) {
  ZoneDiagnosis found;
  found.machine_settings_only = machine;
  found.site_list_excludes_host = site_list;
  found.locked_actions = std::move(locked);
  found.enhanced_security = harden;
  return found;
}
ZoneDiagnosis Machine() { return Found(true, false, {}, false); }
ZoneDiagnosis SiteList() { return Found(false, true, {}, false); }
ZoneDiagnosis Locked(std::vector<std::string> actions) { return Found(false, false, std::move(actions), false); }
ZoneDiagnosis Harden() { return Found(false, false, {}, true); }

struct Case {
  const char* name;
  std::function<void(Registry& user, Registry& machine)> setup;
  ZoneDiagnosis expected;
  std::string host = "portal.example.cn";
  HostKind kind = HostKind::kDomain;
};

TEST(ZoneDiagnosis, FindsWhatStopsTheSettingsAndNothingElse) {
  const Case cases[] = {
      {"nothing set", [](Registry&, Registry&) {}, {}},
      // Machine settings only.
      {"machine only", [](Registry&, Registry& m) { MachineOnly(m, 1); }, Machine()},
      {"machine only off", [](Registry&, Registry& m) { MachineOnly(m, 0); }, {}},
      {"machine only in the user's policy", [](Registry& u, Registry&) { MachineOnly(u, 1); }, {}},
      {"machine only in another key",
       [](Registry&, Registry& m) { PutDword(m, kZoneMap, "Security_HKLM_only", 1); },
       {}},
      // Site to zone assignment list.
      {"machine list of another site", [](Registry&, Registry& m) { PutString(m, kSiteList, "other.cn", "2"); },
       SiteList()},
      {"user list puts the host in zone 1",
       [](Registry& u, Registry&) { PutString(u, kSiteList, "portal.example.cn", "1"); }, SiteList()},
      {"user list with the host as https",
       [](Registry& u, Registry&) { PutString(u, kSiteList, "https://portal.example.cn", "2"); }, SiteList()},
      {"machine list names the host",
       [](Registry&, Registry& m) {
         PutString(m, kSiteList, "other.cn", "2");
         PutString(m, kSiteList, "http://Portal.Example.CN", "2");
       },
       {}},
      {"user list by wildcard", [](Registry& u, Registry&) { PutString(u, kSiteList, "*.example.cn", "2"); }, {}},
      {"empty list key",
       [](Registry& u, Registry& m) {
         PutKey(u, kSiteList);
         PutKey(m, kSiteList);
       },
       {}},
      {"machine list names it, user list does not",
       [](Registry& u, Registry& m) {
         PutString(m, kSiteList, "portal.example.cn", "2");
         PutString(u, kSiteList, "other.cn", "2");
       },
       SiteList()},
      {"numeric host named exactly",
       [](Registry&, Registry& m) { PutString(m, kSiteList, "10.1.2.3", "2"); },
       {},
       "10.1.2.3",
       HostKind::kNumeric},
      {"numeric host and a wildcard", [](Registry&, Registry& m) { PutString(m, kSiteList, "*.2.3", "2"); }, SiteList(),
       "10.1.2.3", HostKind::kNumeric},
      // Zone-2 actions set by policy.
      {"machine policy disables 1200", [](Registry&, Registry& m) { PutDword(m, kPolicyZone2, "1200", 3); },
       Locked({"1200"})},
      {"user policy enables the pop-up blocker",
       [](Registry& u, Registry&) {
         PutDword(u, kPolicyZone2, "1809", 0);
         PutDword(u, kPolicyZone2, "1001", 0);
       },
       Locked({"1809"})},
      {"both keys, in the order written, once each",
       [](Registry& u, Registry& m) {
         PutDword(m, kPolicyZone2, "1405", 3);
         PutDword(u, kPolicyZone2, "1405", 3);
         PutDword(u, kPolicyZone2, "1001", 1);
       },
       Locked({"1001", "1405"})},
      {"policy values as the check writes them",
       [](Registry& u, Registry& m) {
         for (const auto& setting : zone_keys::kZoneSettings) {
           PutDword(m, kPolicyZone2, setting.action, setting.policy);
           PutDword(u, kPolicyZone2, setting.action, setting.policy);
         }
       },
       {}},
      {"policy on another action", [](Registry&, Registry& m) { PutDword(m, kPolicyZone2, "1400", 3); }, {}},
      {"policy on another zone",
       [](Registry&, Registry& m) { PutDword(m, kPolicySettings + "\\Zones\\3", "1200", 3); },
       {}},
      // Enhanced security configuration.
      {"hardened for the user", [](Registry& u, Registry&) { PutDword(u, kZoneMap, "IEHarden", 1); }, Harden()},
      {"hardened for the machine", [](Registry&, Registry& m) { PutDword(m, kZoneMap, "IEHarden", 1); }, Harden()},
      {"hardening off",
       [](Registry& u, Registry& m) {
         PutDword(u, kZoneMap, "IEHarden", 0);
         PutDword(m, kZoneMap, "IEHarden", 0);
       },
       {}},
      // Two at once.
      {"machine only and hardened",
       [](Registry& u, Registry& m) {
         MachineOnly(m, 1);
         PutDword(u, kZoneMap, "IEHarden", 1);
       },
       Found(true, false, {}, true)},
      {"site list and locked actions",
       [](Registry& u, Registry& m) {
         PutString(m, kSiteList, "other.cn", "2");
         PutDword(u, kPolicyZone2, "2200", 3);
       },
       Found(false, true, {"2200"}, false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry user;
    MemoryRegistry machine;
    c.setup(user, machine);
    const auto user_before = user.Dump();
    const auto machine_before = machine.Dump();
    const ZoneDiagnosis found = DiagnoseZoneSettings(user, machine, c.host, c.kind);
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(found.Any(), c.expected != ZoneDiagnosis{});
    EXPECT_EQ(user.Dump(), user_before);
    EXPECT_EQ(machine.Dump(), machine_before);
    EXPECT_EQ(user.OpenHandleCount() + machine.OpenHandleCount(), 0u);
  }
}

TEST(ZoneDiagnosis, ReadFailuresCountAsAbsent) {
  MemoryRegistry user;
  MemoryRegistry machine;
  MachineOnly(machine, 1);
  PutString(user, kSiteList, "other.cn", "2");
  machine.FailCall(RegistryCall::kOpenKey, 1, status::kAccessDenied);
  user.FailCall(RegistryCall::kEnumValue, 1, std::nullopt);
  // The machine key that cannot be opened hides its policy; the user's
  // listing throws, which ends the reading.
  EXPECT_EQ(DiagnoseZoneSettings(user, machine, "portal.example.cn", HostKind::kDomain), ZoneDiagnosis{});
  EXPECT_EQ(user.OpenHandleCount() + machine.OpenHandleCount(), 0u);
}

TEST(ZoneDiagnosis, SiteListEntries) {
  struct Entry {
    const char* entry;
    const char* host;
    bool names_it;
  };
  const Entry entries[] = {
      {"portal.example.cn", "portal.example.cn", true},
      {"PORTAL.Example.cn", "portal.example.CN", true},
      {"http://portal.example.cn", "portal.example.cn", true},
      {"HTTP://portal.example.cn", "portal.example.cn", true},
      {"*://portal.example.cn", "portal.example.cn", true},
      {"https://portal.example.cn", "portal.example.cn", false},
      {"ftp://portal.example.cn", "portal.example.cn", false},
      {"*.example.cn", "portal.example.cn", true},
      {"*.EXAMPLE.cn", "a.b.example.cn", true},
      {"http://*.example.cn", "portal.example.cn", true},
      {"*.cn", "portal.example.cn", true},
      {"*.example.cn", "example.cn", false},
      {"*.ample.cn", "portal.example.cn", false},
      {"*.portal.example.cn", "portal.example.cn", false},
      {"other.example.cn", "portal.example.cn", false},
      {"example.cn", "portal.example.cn", false},
      {"portal.example.cn.other", "portal.example.cn", false},
      {"http://portal.example.cn/", "portal.example.cn", false},
      {"", "portal.example.cn", false},
      {"*.", "portal.example.cn", false},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(SiteListEntryNamesHost(e.entry, e.host, HostKind::kDomain), e.names_it) << e.entry << " / " << e.host;
  }
  EXPECT_TRUE(SiteListEntryNamesHost("http://10.1.2.3", "10.1.2.3", HostKind::kNumeric));
  EXPECT_FALSE(SiteListEntryNamesHost("*.2.3", "10.1.2.3", HostKind::kNumeric));
}

}  // namespace
}  // namespace orvel
