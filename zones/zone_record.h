#pragma once

#include <cstdint>
#include <string_view>

#include "zones/registry.h"
#include "zones/site.h"

namespace orvel {

// Before the zone's eight settings first change in a hive, the check records
// what each was there, so that they can go back when the tool's last site
// leaves. `zone` is the zone's open key. With no complete record and a
// setting about to change, records them all and then marks the record
// complete; with a complete record, adds the host to its sites. When every
// setting already holds what the check writes and there is no record,
// nothing is recorded. 0, or the status of the call that failed: the zone
// has not been written then.
int32_t RecordZoneSettings(Registry& registry, RegistryKey& zone, std::string_view host);

// Whether a complete record is there.
bool HasZoneRecord(Registry& registry);

enum class ZoneRelease : uint8_t {
  kNoRecord,  // no complete record: the settings were not changed under one
  kKept,      // a site the tool set up still uses them
  kRestored,  // the settings that still held the tool's went back, and the record went
};

struct ZoneReleaseResult {
  ZoneRelease outcome = ZoneRelease::kNoRecord;
  // Restored, the settings someone changed since to something they were not
  // before: left as they are.
  int values_left = 0;
  // 0, or the status of the call that failed; the record stays then and the
  // outcome is never kRestored.
  int32_t result = 0;
};

// After a removal: once the site is trusted for neither scheme, its host
// leaves the record's sites; when none is left (the tool's last site, or a
// restore that failed before), each setting that still holds what the check
// wrote goes back to what it was (deleted if it was absent), and the record
// goes.
ZoneReleaseResult ReleaseZoneRecord(Registry& registry, const Site& site);

}  // namespace orvel
