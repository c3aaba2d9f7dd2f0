// Any text in the address box, through the whole check over an in-memory
// zone map that already holds other sites. An invalid address writes and
// saves nothing; a valid one ends in success, loses no other entry and
// writes only the keys and values its scheme, host and kind call for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/address.h"
#include "check/check_presenter.h"
#include "check/check_site.h"
#include "check/texts.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_view.h"
#include "tests/support/test_hive.h"
#include "text/trim.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using Lines = std::vector<std::string>;

const std::string kRanges(zone_keys::kRanges);
constexpr std::string_view kZoneValues[] = {"1001=4:00000000", "1004=4:00000000", "1200=4:00000000", "1201=4:00000000",
                                            "1405=4:00000000", "2201=4:00000000", "2200=4:00000000", "1809=4:03000000"};
// Key names longer than this are refused by the registry.
constexpr size_t kMaxKeyName = 255;

void PutRange(Registry& registry, const std::string& name, const std::string& host) {
  test::PutDword(registry, kRanges + name, "http", 2);
  test::PutString(registry, kRanges + name, ":Range", host);
}

// Other sites' entries; listed, the Range names end in Range9, so the
// rule's next name (Range10) is taken.
void SetUp(Registry& registry) {
  test::PutKey(registry, zone_keys::kZone2);
  test::PutDword(registry, zone_keys::kZone2, "1A00", 65536);
  test::PutDword(registry, std::string(zone_keys::kDomains) + "example.com\\www", "http", 2);
  test::PutDword(registry, std::string(zone_keys::kDomains) + "intranet", "http", 2);
  PutRange(registry, "Range1", "10.0.0.1");
  PutRange(registry, "Range10", "10.0.0.10");
  PutRange(registry, "Range9", "10.0.0.9");
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Key paths as the dump writes them: no trailing backslash.
std::string Key(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

// True when `key` is `path` or a key above it, as the registry compares.
bool IsOnPath(std::string_view key, std::string_view path) {
  const std::string k = Upper(key);
  const std::string p = Upper(path);
  return p == k || (p.starts_with(k) && p[k.size()] == '\\');
}

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += "0123456789abcdef"[byte >> 4];
    hex += "0123456789abcdef"[byte & 15];
  }
  return hex;
}

bool HasOverlongKeyName(std::string_view path) {
  size_t start = 0;
  while (start < path.size()) {
    const size_t end = std::min(path.find('\\', start), path.size());
    if (end - start > kMaxKeyName) return true;
    start = end + 1;
  }
  return false;
}

// Whether a line the check added belongs to the host's own keys and values.
bool IsOwnLine(const std::string& line, const Site& parsed, const Lines& before) {
  const std::string& host = parsed.host;
  const HostKind kind = parsed.kind;
  const std::string range_text = ":Range=1:" + Hex(host) + "00";
  const size_t bar = line.find('|');
  const std::string key = line.substr(0, bar);
  const std::string allow = Key(zone_keys::kAllow);
  const std::string entry = Key(DomainEntryPath(host));
  const std::string ranges = Key(zone_keys::kRanges);
  const bool new_range = kind == HostKind::kNumeric && Upper(key).starts_with(Upper(ranges) + "\\") &&
                         key.find('\\', ranges.size() + 1) == std::string::npos &&
                         !std::binary_search(before.begin(), before.end(), key);
  const std::string record = Key(zone_keys::kZoneRecord);
  const std::string record_sites = Key(zone_keys::kZoneRecordSites);
  if (bar == std::string::npos) {
    return IsOnPath(key, allow) || IsOnPath(key, record_sites) || (kind == HostKind::kDomain && IsOnPath(key, entry)) ||
           (kind == HostKind::kNumeric && IsOnPath(key, ranges)) || new_range;
  }
  const std::string value = line.substr(bar + 1);
  if (Upper(key) == Upper(Key(zone_keys::kZone2))) {
    return std::find(std::begin(kZoneValues), std::end(kZoneValues), value) != std::end(kZoneValues);
  }
  if (Upper(key) == Upper(allow)) return value == host + "=3:0000";
  // The zone's settings as they were before the first change, and the mark
  // written last; then the host, one of the tool's sites.
  if (Upper(key) == Upper(record)) {
    const std::string name = value.substr(0, value.find('='));
    return name == zone_keys::kZoneRecordComplete ||
           std::ranges::any_of(zone_keys::kZoneSettings, [&](const zone_keys::ZoneSetting& setting) {
             return name == zone_keys::ActionValueName(setting.action);
           });
  }
  if (Upper(key) == Upper(record_sites)) return value == host + "=4:01000000";
  const bool zone = value == std::string(SchemeName(parsed.scheme)) + "=4:02000000";
  if (kind == HostKind::kDomain) return Upper(key) == Upper(entry) && zone;
  // A Range entry that already named the host takes the scheme beside its own.
  const bool host_range = std::binary_search(before.begin(), before.end(), key + "|" + range_text);
  return (new_range && (zone || value == range_text)) || (host_range && zone);
}

}  // namespace
}  // namespace orvel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace orvel;
  const std::string typed(reinterpret_cast<const char*>(data), size);
  MemoryRegistry registry;
  SetUp(registry);
  const Lines before = registry.Dump();
  test::RecordingView view;
  test::RecordingStore store;
  MemoryRegistry machine;
  // Here only to count the keys left open.
  FaultyRegistry counted(registry);
  const CheckOutcome outcome = test::CheckTyped(typed, {.hives = {counted, machine}}, &store);
  ShowCheck(view, outcome);
  const bool result = outcome.Succeeded();
  const Lines after = registry.Dump();

  FUZZ_REQUIRE(counted.OpenHandleCount() == 0);
  FUZZ_REQUIRE(view.messages.size() == 1);
  const std::string trimmed = TrimBlanks(typed);
  FUZZ_REQUIRE(view.address == trimmed);
  const Site parsed = ParseSiteAddress(trimmed).site;
  const std::string& host = parsed.host;
  const HostKind kind = parsed.kind;

  if (kind == HostKind::kInvalid) {
    FUZZ_REQUIRE(!result);
    FUZZ_REQUIRE(view.lines == (Lines{std::string(texts::kCheckingAddress), std::string(texts::kAddressInvalid)}));
    FUZZ_REQUIRE(after == before);
    FUZZ_REQUIRE(store.saved.empty());
    return 0;
  }

  // Nothing another site had is lost or changed.
  FUZZ_REQUIRE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
  Lines added;
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
  for (const std::string& line : added) FUZZ_REQUIRE(IsOwnLine(line, parsed, before));
  // At most one new Range entry.
  FUZZ_REQUIRE(std::count_if(added.begin(), added.end(), [](const std::string& line) {
                 return line.find('|') == std::string::npos && Upper(line).starts_with(Upper(kRanges));
               }) <= 1);

  if (!result) {
    // A domain whose key name the registry cannot hold is a failure to add it.
    FUZZ_REQUIRE(kind == HostKind::kDomain && HasOverlongKeyName(DomainEntryPath(host)));
    FUZZ_REQUIRE(view.lines.back() == texts::kTrustedSiteFailed);
    FUZZ_REQUIRE(added.empty() && store.saved.empty());
    return 0;
  }
  FUZZ_REQUIRE(view.lines.size() == 6 && view.lines.back() == texts::kPermissionsChecked);
  FUZZ_REQUIRE(store.saved == Lines{trimmed});
  FUZZ_REQUIRE(IsTrustedSite(registry, parsed));
  FUZZ_REQUIRE(test::GetValue(registry, zone_keys::kAllow, host) == std::string(2, '\0'));
  for (std::string_view value : kZoneValues) {
    FUZZ_REQUIRE(std::binary_search(after.begin(), after.end(), Key(zone_keys::kZone2) + "|" + std::string(value)));
  }
  return 0;
}
