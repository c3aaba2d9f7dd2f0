// Every registry call made by each zone operation and by the whole check is
// made to fail in turn with a status. A failing read counts as "absent" (but
// in the permission step, which must know what the zone's settings were
// before it writes them), a failing write is reported and ends the work, a
// failing close is ignored; whatever happens, no handle stays open and
// nothing is written after a reported failure. Which numbered call a fault
// hits is never part of the expectation, so the calls may be reordered.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "check/address.h"
#include "check/check_presenter.h"
#include "check/check_site.h"
#include "check/texts.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/snapshot_registry.h"
#include "tests/support/test_hive.h"
#include "zones/remove_site.h"
#include "zones/subkeys.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"
#include "zones/zone_permissions.h"

namespace orvel {
namespace {

using Lines = std::vector<std::string>;
using test::PutDword;
using test::PutKey;
using test::PutString;
using test::ShownMessage;

constexpr int32_t kInjected = status::kAccessDenied;
constexpr RegistryCall kAllCalls[] = {RegistryCall::kOpenKey,    RegistryCall::kCreateKey, RegistryCall::kSetValue,
                                      RegistryCall::kQueryValue, RegistryCall::kEnumKey,   RegistryCall::kCloseKey,
                                      RegistryCall::kEnumValue};

const std::string kDomains(zone_keys::kDomains);
const std::string kRanges(zone_keys::kRanges);

enum class Op { kIsTrusted, kAdd, kEnumRanges, kPermissions, kCheck };
constexpr Op kAllOps[] = {Op::kIsTrusted, Op::kAdd, Op::kEnumRanges, Op::kPermissions, Op::kCheck};
const char* OpName(Op op) {
  constexpr const char* kNames[] = {"IsTrustedSite", "AddTrustedSite", "EnumSubkeys", "SetZonePermissions",
                                    "CheckSite"};
  return kNames[static_cast<int>(op)];
}

struct Scenario {
  const char* name;
  std::string address;  // what the user typed; the zone operations get its host
  std::function<void(Registry&)> setup;
};

void PutRange(Registry& registry, const std::string& name, const std::string& host) {
  PutDword(registry, kRanges + name, "http", 2);
  PutString(registry, kRanges + name, ":Range", host);
}

void ZoneKey(Registry& registry) { PutKey(registry, zone_keys::kZone2); }

std::vector<Scenario> Scenarios() {
  return {
      {"domain, empty zone map", "http://a.b.c:81/app", ZoneKey},
      {"domain already trusted", "a.b.c",
       [](Registry& r) {
         ZoneKey(r);
         PutDword(r, kDomains + "b.c\\a", "http", 2);
       }},
      {"domain in another zone, pop-ups allowed before", "a.b.c",
       [](Registry& r) {
         ZoneKey(r);
         PutDword(r, kDomains + "b.c\\a", "http", 4);
         PutString(r, zone_keys::kAllow, "a.b.c", "old");
       }},
      {"two-label domain", "b.c", ZoneKey},
      {"wildcard domain", "*.example.com/x", ZoneKey},
      {"numeric, no Ranges key", "10.1.2.3", ZoneKey},
      {"numeric, other ranges", "http://10.1.2.3/orvel",
       [](Registry& r) {
         ZoneKey(r);
         PutRange(r, "Range1", "10.0.0.1");
         PutRange(r, "Range3", "10.0.0.3");
       }},
      {"numeric, the rule's name is taken", "10.1.2.3",
       [](Registry& r) {
         ZoneKey(r);
         PutRange(r, "Range10", "10.0.0.10");
         PutRange(r, "Range9", "10.0.0.9");
         PutRange(r, "Range1", "10.0.0.1");
       }},
      {"numeric already trusted, after another entry", "10.1.2.3",
       [](Registry& r) {
         ZoneKey(r);
         PutRange(r, "Range1", "10.0.0.1");
         PutRange(r, "Range2", "10.1.2.3");
       }},
      {"no zone-2 key", "a.b.c", [](Registry&) {}},
  };
}

// A view that also notes how many registry calls came before the
// permission step and before the read-only diagnosis that follows it, so
// each call can be placed in its step.
struct Outcome {
  int32_t result = 0;  // the status, the Boolean answer, or the count of names
  Lines names;
  Lines lines;
  std::vector<ShownMessage> messages;
  Lines saved;
  bool operator==(const Outcome& other) const {
    return result == other.result && names == other.names && lines == other.lines && messages == other.messages &&
           saved == other.saved;
  }
};

void PrintTo(const Outcome& out, std::ostream* os) {
  *os << "result " << out.result << ", " << out.names.size() << " names, " << out.lines.size() << " lines ("
      << (out.lines.empty() ? "" : out.lines.back()) << "), " << out.messages.size() << " boxes, " << out.saved.size()
      << " saved";
}

Site SiteOf(const std::string& address) { return ParseSiteAddress(address).site; }

Outcome RunOp(Op op, const std::string& address, Registry& registry) {
  const Site site = SiteOf(address);
  Outcome out;
  switch (op) {
    case Op::kIsTrusted:
      out.result = IsTrustedSite(registry, site) ? 1 : 0;
      break;
    case Op::kAdd:
      out.result = AddTrustedSite(registry, site);
      break;
    case Op::kEnumRanges:
      out.result = static_cast<int32_t>(EnumSubkeys(registry, zone_keys::kRanges, out.names));
      break;
    case Op::kPermissions:
      out.result = SetZonePermissions(registry, site.host);
      break;
    case Op::kCheck: {
      test::RecordingView view;
      test::RecordingStore store;
      MemoryRegistry machine;
      const CheckOutcome outcome = test::CheckTyped(address, {.hives = {registry, machine}}, &store);
      ShowCheck(view, outcome);
      out.result = outcome.Succeeded() ? 1 : 0;
      out.lines = view.lines;
      out.messages = view.messages;
      out.saved = store.saved;
      break;
    }
  }
  return out;
}

// The calls of the check's permission step: after the trusted-site step's,
// before the diagnosis's, as a clean run makes them.
struct PermissionStep {
  size_t from = 0;
  size_t to = 0;
};

PermissionStep FindPermissionStep(const Scenario& scenario) {
  MemoryRegistry memory;
  scenario.setup(memory);
  FaultyRegistry counter(memory);
  const Site site = SiteOf(scenario.address);
  if (site.kind == HostKind::kInvalid) return {};
  TrustSite(counter, site);
  const size_t from = counter.Calls().size();
  SetZonePermissions(counter, site.host);
  return {from, counter.Calls().size()};
}

bool IsWrite(RegistryCall call) { return call == RegistryCall::kCreateKey || call == RegistryCall::kSetValue; }

// Whether a failure of this call is reported: writes always are; in the
// permission step opens and reads are too, since the settings are written
// only after what they were is known to be recorded.
bool IsReported(Op op, RegistryCall call, bool in_permission_step) {
  const bool open_or_read = call == RegistryCall::kOpenKey || call == RegistryCall::kQueryValue;
  switch (op) {
    case Op::kIsTrusted:
    case Op::kEnumRanges:
      return false;
    case Op::kAdd:
      return IsWrite(call);
    case Op::kPermissions:
      return IsWrite(call) || open_or_read;
    case Op::kCheck:
      return IsWrite(call) || (in_permission_step && open_or_read);
  }
  return false;
}

Lines FailedCheckLines(size_t count, std::string_view last) {
  const Lines all = {std::string(texts::kCheckingAddress), std::string(texts::kAddressChecked),
                     std::string(texts::kCheckingTrustedSite), std::string(texts::kTrustedSiteAdded),
                     std::string(texts::kCheckingPermissions)};
  Lines lines(all.begin(), all.begin() + static_cast<long>(count - 1));
  lines.emplace_back(last);
  return lines;
}

struct Fault {
  RegistryCall call;
  int nth;
};

// What the contract of each writing operation gives under `fault`.
Outcome Expected(Op op, const Outcome& clean, bool reported, bool in_permission_step) {
  Outcome out = clean;
  switch (op) {
    case Op::kIsTrusted:
    case Op::kEnumRanges:
      break;  // see ExpectReadConsistent
    case Op::kAdd:
    case Op::kPermissions:
      if (reported) out.result = kInjected;
      break;
    case Op::kCheck:
      if (!reported) break;
      out = Outcome{};
      const std::string_view text = in_permission_step ? texts::kPermissionsFailed : texts::kTrustedSiteFailed;
      out.lines = FailedCheckLines(in_permission_step ? 6 : 4, text);
      out.messages = {{std::string(text), MessageStyle::kExclamation}};
      break;
  }
  return out;
}

// A failed read counts as "absent": a lookup may miss an entry, never find
// one that is not there, and a listing may come out short, never with a name
// it did not have or in another order. A failed close changes nothing.
void ExpectReadConsistent(Op op, const Outcome& clean, const Outcome& got, const Fault& fault) {
  if (fault.call == RegistryCall::kCloseKey) {
    EXPECT_EQ(got, clean);
    return;
  }
  if (op == Op::kIsTrusted) {
    EXPECT_LE(got.result, clean.result);
    return;
  }
  EXPECT_EQ(got.result, static_cast<int32_t>(got.names.size()));
  if (fault.call == RegistryCall::kOpenKey) {
    EXPECT_TRUE(got.names.empty());
  }
  auto next = clean.names.begin();
  for (const std::string& name : got.names) {
    next = std::find(next, clean.names.end(), name);
    ASSERT_NE(next, clean.names.end()) << name << " is not in the full listing, or out of its order";
    ++next;
  }
}

// The position among all calls of the nth call of a kind.
size_t IndexOf(const std::vector<RegistryCall>& calls, const Fault& fault) {
  int seen = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i] == fault.call && ++seen == fault.nth) return i;
  }
  return calls.size();
}

Lines RangeLines(const Lines& dump) {
  Lines lines;
  const std::string prefix = kRanges.substr(0, kRanges.size() - 1);
  std::copy_if(dump.begin(), dump.end(), std::back_inserter(lines),
               [&](const std::string& line) { return line.starts_with(prefix); });
  return lines;
}

// Range entries (keys) in `after` that `before` did not have.
int NewRangeEntries(const Lines& before, const Lines& after) {
  return static_cast<int>(std::count_if(after.begin(), after.end(), [&](const std::string& line) {
    return line.starts_with(kRanges) && line.find('|') == std::string::npos &&
           !std::binary_search(before.begin(), before.end(), line);
  }));
}

TEST(FaultInjection, EveryCallOfEveryOperationFailsSafely) {
  int injected = 0;
  int scenarios = 0;
  for (const Scenario& scenario : Scenarios()) {
    for (const Op op : kAllOps) {
      SCOPED_TRACE(std::string(scenario.name) + " / " + OpName(op));
      ++scenarios;
      MemoryRegistry clean_memory;
      scenario.setup(clean_memory);
      const Lines before = clean_memory.Dump();
      FaultyRegistry clean_counter(clean_memory);
      test::SnapshotRegistry snapshots(clean_counter, clean_memory);
      const Outcome clean = RunOp(op, scenario.address, snapshots);
      const Lines clean_after = clean_memory.Dump();
      const PermissionStep permission_step = FindPermissionStep(scenario);

      for (const RegistryCall call : kAllCalls) {
        for (int nth = 1; nth <= clean_counter.CallCount(call); ++nth) {
          const Fault fault{call, nth};
          SCOPED_TRACE("call kind " + std::to_string(static_cast<int>(call)) + " #" + std::to_string(nth));
          ++injected;
          MemoryRegistry memory;
          scenario.setup(memory);
          FaultyRegistry faulty(memory);
          faulty.FailCall(call, nth, kInjected);
          const Outcome got = RunOp(op, scenario.address, faulty);
          EXPECT_EQ(faulty.OpenHandleCount(), 0u);

          const size_t index = IndexOf(faulty.Calls(), fault);
          ASSERT_LT(index, snapshots.before_call().size());
          const bool in_permission_step =
              op == Op::kCheck && index >= permission_step.from && index < permission_step.to;
          const bool reported = IsReported(op, call, in_permission_step);
          if (op == Op::kIsTrusted || op == Op::kEnumRanges) {
            ExpectReadConsistent(op, clean, got, fault);
          } else {
            EXPECT_EQ(got, Expected(op, clean, reported, in_permission_step));
          }

          const Lines after = memory.Dump();
          if (reported) {
            // Exactly what had been written before the failing call.
            EXPECT_EQ(after, snapshots.before_call()[index]);
            const auto& calls = faulty.Calls();
            EXPECT_TRUE(std::none_of(calls.begin() + static_cast<long>(index + 1), calls.end(), IsWrite));
          } else if (after != clean_after) {
            // A listing or lookup cut short may put the entry under another
            // free name, or add it again; another entry is never lost.
            EXPECT_TRUE(op == Op::kAdd || op == Op::kCheck);
            EXPECT_FALSE(IsWrite(call));
            const Lines old_ranges = RangeLines(before);
            const Lines new_ranges = RangeLines(after);
            EXPECT_TRUE(std::includes(new_ranges.begin(), new_ranges.end(), old_ranges.begin(), old_ranges.end()));
            EXPECT_LE(NewRangeEntries(old_ranges, new_ranges), 1);
            EXPECT_TRUE(IsTrustedSite(memory, SiteOf(scenario.address)));
          }
        }
      }
    }
  }
  std::printf("fault injection: %d faults injected over %d scenario runs\n", injected, scenarios);
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Whatever call of a removal fails, it takes nothing that a removal that
// succeeds would keep, reports a failed delete, and leaves no handle open.
TEST(FaultInjection, RemovalNeverTakesMoreThanItsOwnEntries) {
  const auto setup = [](MemoryRegistry& r) {
    ZoneKey(r);
    for (const char* host : {"a.x.example.cn", "b.x.example.cn", "10.0.0.1", "10.0.0.2"}) {
      ASSERT_EQ(AddTrustedSite(r, SiteOf(host)), 0);
      ASSERT_EQ(SetZonePermissions(r, host), 0);
    }
  };
  constexpr RegistryCall kRemovalCalls[] = {
      RegistryCall::kOpenKey,   RegistryCall::kQueryValue,  RegistryCall::kEnumKey,  RegistryCall::kCloseKey,
      RegistryCall::kDeleteKey, RegistryCall::kDeleteValue, RegistryCall::kEnumValue};
  int injected = 0;
  for (const char* address : {"a.x.example.cn", "10.0.0.1"}) {
    const Site site = SiteOf(address);
    MemoryRegistry clean;
    setup(clean);
    ASSERT_EQ(RemoveTrustedSite(clean, site, RemovedSchemes::kEvery).result, 0);
    const Lines kept_by_clean_run = clean.Dump();
    for (const RegistryCall call : kRemovalCalls) {
      MemoryRegistry counted;
      setup(counted);
      FaultyRegistry counter(counted);
      RemoveTrustedSite(counter, site, RemovedSchemes::kEvery);
      for (int nth = 1; nth <= counter.CallCount(call); ++nth) {
        SCOPED_TRACE(std::string(address) + ", call kind " + std::to_string(static_cast<int>(call)) + " #" +
                     std::to_string(nth));
        ++injected;
        MemoryRegistry memory;
        setup(memory);
        FaultyRegistry faulty(memory);
        faulty.FailCall(call, nth, kInjected);
        const RemovedSite removed = RemoveTrustedSite(faulty, site, RemovedSchemes::kEvery);
        const Lines after = memory.Dump();
        EXPECT_TRUE(std::includes(after.begin(), after.end(), kept_by_clean_run.begin(), kept_by_clean_run.end()));
        EXPECT_EQ(faulty.OpenHandleCount(), 0u);
        // A failed delete is always reported; a failed read may only
        // leave an entry unseen, and a failed close is ignored.
        if (call == RegistryCall::kDeleteKey || call == RegistryCall::kDeleteValue) {
          EXPECT_EQ(removed.result, kInjected);
        } else {
          EXPECT_TRUE(removed.result == 0 || removed.result == kInjected) << removed.result;
        }
        for (const RemovedEntry& entry : removed.removed) {
          EXPECT_TRUE(std::none_of(after.begin(), after.end(), [&](const std::string& kept) {
            if (!entry.value.empty()) return kept.starts_with(entry.key + "|" + entry.value + "=");
            return kept == entry.key || kept.starts_with(entry.key + "|") || kept.starts_with(entry.key + "\\");
          })) << entry.key;
        }
      }
    }
  }
  EXPECT_GT(injected, 20);
}

}  // namespace
}  // namespace orvel
