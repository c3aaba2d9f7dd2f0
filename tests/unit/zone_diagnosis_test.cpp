#include "zones/zone_diagnosis.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/faulty_registry.h"
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
using test::PutString;

const std::string kSiteList(zone_keys::kPolicySiteList);
const std::string kPolicyZone2(zone_keys::kPolicyZone2);
const std::string kPolicySettings(zone_keys::kPolicySettings);
const std::string kZoneMap(zone_keys::kZoneMap);

const ZoneDiagnosis kNone;
const ZoneDiagnosis kMachine{.machine_settings_only = true};
const ZoneDiagnosis kSiteListFinding{.site_list_excludes_host = true};
const ZoneDiagnosis kHarden{.enhanced_security = true};

// A value set in the user's registry or the machine's: a DWORD, or with
// text, a REG_SZ; with neither name nor text, only the key.
struct Put {
  bool machine;
  std::string path;
  std::string name;
  uint32_t number = 0;
  std::string text = {};
};

const Put kMachineOnly{true, kPolicySettings, "Security_HKLM_only", 1};

struct Case {
  const char* name;
  std::vector<Put> puts;
  ZoneDiagnosis expected;
  std::string host = "portal.example.cn";
  HostKind kind = HostKind::kDomain;
};

TEST(ZoneDiagnosis, FindsWhatStopsTheSettingsAndNothingElse) {
  std::vector<Put> as_written;
  for (const auto& setting : zone_keys::kZoneSettings) {
    as_written.push_back({true, kPolicyZone2, zone_keys::ActionValueName(setting.action), setting.policy});
    as_written.push_back({false, kPolicyZone2, zone_keys::ActionValueName(setting.action), setting.policy});
  }
  const Case cases[] = {
      {"nothing set", {}, kNone},
      {"machine only", {kMachineOnly}, kMachine},
      {"machine only off", {{true, kPolicySettings, "Security_HKLM_only", 0}}, kNone},
      {"machine only in the user's policy", {{false, kPolicySettings, "Security_HKLM_only", 1}}, kNone},
      // Site to zone assignment lists.
      {"machine list of another site", {{true, kSiteList, "other.cn", 0, "2"}}, kSiteListFinding},
      {"user list puts the host in zone 1", {{false, kSiteList, "portal.example.cn", 0, "1"}}, kSiteListFinding},
      {"machine list names the host",
       {{true, kSiteList, "other.cn", 0, "2"}, {true, kSiteList, "http://Portal.Example.CN", 0, "2"}},
       kNone},
      {"user list by wildcard", {{false, kSiteList, "*.example.cn", 0, "2"}}, kNone},
      {"empty list keys", {{false, kSiteList, ""}, {true, kSiteList, ""}}, kNone},
      {"machine list names it, user list does not",
       {{true, kSiteList, "portal.example.cn", 0, "2"}, {false, kSiteList, "other.cn", 0, "2"}},
       kSiteListFinding},
      {"numeric host named exactly", {{true, kSiteList, "10.1.2.3", 0, "2"}}, kNone, "10.1.2.3", HostKind::kNumeric},
      {"numeric host and a wildcard",
       {{true, kSiteList, "*.2.3", 0, "2"}},
       kSiteListFinding,
       "10.1.2.3",
       HostKind::kNumeric},
      // Zone-2 actions set by policy.
      {"machine policy disables 1200", {{true, kPolicyZone2, "1200", 3}}, ZoneDiagnosis{.locked_actions = {1200}}},
      {"user policy enables the pop-up blocker",
       {{false, kPolicyZone2, "1809", 0}, {false, kPolicyZone2, "1001", 0}},
       ZoneDiagnosis{.locked_actions = {1809}}},
      {"both keys, in the order written, once each",
       {{true, kPolicyZone2, "1405", 3}, {false, kPolicyZone2, "1405", 3}, {false, kPolicyZone2, "1001", 1}},
       ZoneDiagnosis{.locked_actions = {1001, 1405}}},
      {"policy values as the check writes them", as_written, kNone},
      {"policy on another action", {{true, kPolicyZone2, "1400", 3}}, kNone},
      // Enhanced security configuration.
      {"hardened for the user", {{false, kZoneMap, "IEHarden", 1}}, kHarden},
      {"hardened for the machine", {{true, kZoneMap, "IEHarden", 1}}, kHarden},
      {"hardening off", {{false, kZoneMap, "IEHarden", 0}, {true, kZoneMap, "IEHarden", 0}}, kNone},
      // Two at once.
      {"machine only and hardened",
       {kMachineOnly, {false, kZoneMap, "IEHarden", 1}},
       ZoneDiagnosis{.machine_settings_only = true, .enhanced_security = true}},
      {"site list and locked actions",
       {{true, kSiteList, "other.cn", 0, "2"}, {false, kPolicyZone2, "2200", 3}},
       ZoneDiagnosis{.site_list_excludes_host = true, .locked_actions = {2200}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry user;
    MemoryRegistry machine;
    for (const Put& put : c.puts) {
      Registry& registry = put.machine ? static_cast<Registry&>(machine) : user;
      if (put.name.empty()) {
        test::PutKey(registry, put.path);
      } else if (!put.text.empty()) {
        PutString(registry, put.path, put.name, put.text);
      } else {
        PutDword(registry, put.path, put.name, put.number);
      }
    }
    const auto user_before = user.Dump();
    const auto machine_before = machine.Dump();
    FaultyRegistry counted_user(user);
    FaultyRegistry counted_machine(machine);
    const ZoneDiagnosis found =
        DiagnoseZoneSettings({counted_user, counted_machine}, Site{.host = c.host, .kind = c.kind});
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(found.Any(), c.expected != kNone);
    EXPECT_EQ(user.Dump(), user_before);
    EXPECT_EQ(machine.Dump(), machine_before);
    EXPECT_EQ(counted_user.OpenHandleCount() + counted_machine.OpenHandleCount(), 0u);
  }
}

TEST(ZoneDiagnosis, ReadFailuresCountAsAbsent) {
  MemoryRegistry user;
  MemoryRegistry machine;
  PutDword(machine, kPolicySettings, "Security_HKLM_only", 1);
  PutString(user, kSiteList, "other.cn", "2");
  FaultyRegistry faulty_user(user);
  FaultyRegistry faulty_machine(machine);
  faulty_machine.FailCall(RegistryCall::kOpenKey, 1, status::kAccessDenied);
  faulty_user.FailCall(RegistryCall::kEnumValue, 1, status::kAccessDenied);
  // The machine key that cannot be opened hides its policy; the user's
  // listing that fails hides the site list's entry.
  EXPECT_EQ(
      DiagnoseZoneSettings({faulty_user, faulty_machine}, Site{.host = "portal.example.cn", .kind = HostKind::kDomain}),
      ZoneDiagnosis{});
  EXPECT_EQ(faulty_user.OpenHandleCount() + faulty_machine.OpenHandleCount(), 0u);
}

TEST(ZoneDiagnosis, SiteListEntries) {
  struct Entry {
    const char* entry;
    const char* host;
    bool names_it;
    Scheme scheme = Scheme::kHttp;
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
      // For an https host: no scheme, https:// or *://, never http://.
      {"portal.example.cn", "portal.example.cn", true, Scheme::kHttps},
      {"HTTPS://portal.example.cn", "portal.example.cn", true, Scheme::kHttps},
      {"*://portal.example.cn", "portal.example.cn", true, Scheme::kHttps},
      {"https://*.example.cn", "portal.example.cn", true, Scheme::kHttps},
      {"http://portal.example.cn", "portal.example.cn", false, Scheme::kHttps},
      {"http://*.example.cn", "portal.example.cn", false, Scheme::kHttps},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(SiteListEntryNamesHost(e.entry, Site{.host = e.host, .kind = HostKind::kDomain, .scheme = e.scheme}),
              e.names_it)
        << e.entry << " / " << e.host << " / " << SchemeName(e.scheme);
  }
  EXPECT_TRUE(SiteListEntryNamesHost("http://10.1.2.3", Site{.host = "10.1.2.3", .kind = HostKind::kNumeric}));
  EXPECT_FALSE(SiteListEntryNamesHost("*.2.3", Site{.host = "10.1.2.3", .kind = HostKind::kNumeric}));
}

}  // namespace
}  // namespace orvel
