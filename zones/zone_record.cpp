#include "zones/zone_record.h"

#include <array>
#include <optional>
#include <string>
#include <tuple>

#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

using zone_keys::kZoneSettings;

// A value as the registry holds it, of whatever type; none when absent.
struct StoredValue {
  uint32_t type = 0;
  std::string data;
  bool operator==(const StoredValue&) const = default;
};
using Setting = std::optional<StoredValue>;
using Settings = std::array<Setting, kZoneSettings.size()>;

std::string NameOf(size_t index) { return zone_keys::ActionValueName(kZoneSettings[index].action); }

bool HoldsPolicy(const Setting& setting, size_t index) {
  return setting && setting->type == static_cast<uint32_t>(ValueType::kDword) &&
         setting->data == DwordBytes(kZoneSettings[index].policy);
}

bool AllHoldPolicy(const Settings& settings) {
  for (size_t i = 0; i < settings.size(); ++i) {
    if (!HoldsPolicy(settings[i], i)) return false;
  }
  return true;
}

// A value read, or found absent; any other failure is the caller's. A value
// too large to copy is one: what it was could not be put back.
int32_t ReadSetting(RegistryKey& key, std::string_view name, Setting& setting) {
  StoredValue value;
  const int32_t read = key.Query(name, kTextCapacity, value.type, value.data);
  if (read == status::kSuccess) setting = std::move(value);
  if (IsMissing(read)) setting.reset();
  return DoneOrMissing(read) ? status::kSuccess : read;
}

int32_t ReadSettings(RegistryKey& key, Settings& settings) {
  for (size_t i = 0; i < settings.size(); ++i) {
    if (const int32_t read = ReadSetting(key, NameOf(i), settings[i]); read != status::kSuccess) return read;
  }
  return status::kSuccess;
}

// Opens the record when there is one. A mark that cannot be read is a
// failure: taking the record again would write over what the settings were.
int32_t OpenRecord(RegistryKey& record, bool& complete) {
  complete = false;
  const int32_t opened = record.Open(zone_keys::kZoneRecord);
  if (IsMissing(opened)) return status::kSuccess;
  if (opened != status::kSuccess) return opened;
  uint32_t mark = 0;
  const int32_t read = record.QueryDword(zone_keys::kZoneRecordComplete, mark);
  complete = read == status::kSuccess && mark == 1;
  return read == status::kSuccess || IsMissing(read) || read == status::kUnsupportedType ? status::kSuccess : read;
}

// Copies of the settings that were there, no copy of one that was absent
// (an incomplete record may hold an older one), then the mark.
int32_t TakeRecord(RegistryKey& record, const Settings& settings) {
  if (const int32_t made = record.Create(zone_keys::kZoneRecord); made != status::kSuccess) return made;
  for (size_t i = 0; i < settings.size(); ++i) {
    const Setting& setting = settings[i];
    const int32_t written = setting ? record.SetValue(NameOf(i), static_cast<ValueType>(setting->type), setting->data)
                                    : record.DeleteValue(NameOf(i));
    if (!DoneOrMissing(written)) return written;
  }
  return record.SetDword(zone_keys::kZoneRecordComplete, 1);
}

// Takes the host out of the record's sites when it `leaves`, then tells
// whether any site is left.
int32_t LeaveSites(Registry& registry, std::string_view host, bool leaves, bool& any_left) {
  any_left = false;
  RegistryKey sites(registry);
  const int32_t opened = sites.Open(zone_keys::kZoneRecordSites);
  if (IsMissing(opened)) return status::kSuccess;
  if (opened != status::kSuccess) return opened;
  if (leaves) {
    if (const int32_t deleted = sites.DeleteValue(host); !DoneOrMissing(deleted)) return deleted;
  }
  std::string name;
  const int32_t listed = sites.EnumValue(0, kValueNameCapacity, name);
  any_left = listed == status::kSuccess;
  return listed == status::kSuccess || listed == status::kNoMoreItems ? status::kSuccess : listed;
}

// Puts back each setting that still holds what the check wrote; one that
// someone changed since stays, and counts when it is not as it was either.
// A zone key someone deleted reads as every setting absent.
int32_t PutBack(Registry& registry, RegistryKey& record, int& values_left) {
  RegistryKey zone(registry);
  const int32_t opened = zone.Open(zone_keys::kZone2);
  if (!DoneOrMissing(opened)) return opened;
  for (size_t i = 0; i < kZoneSettings.size(); ++i) {
    const std::string name = NameOf(i);
    Setting was;
    Setting now;
    if (const int32_t read = ReadSetting(record, name, was); read != status::kSuccess) return read;
    if (zone.is_open()) {
      if (const int32_t read = ReadSetting(zone, name, now); read != status::kSuccess) return read;
    }
    if (!HoldsPolicy(now, i)) {
      values_left += now != was ? 1 : 0;
      continue;
    }
    const int32_t written =
        was ? zone.SetValue(name, static_cast<ValueType>(was->type), was->data) : zone.DeleteValue(name);
    if (!DoneOrMissing(written)) return written;
  }
  return status::kSuccess;
}

// The sites first: the record's key can be deleted only without subkeys.
int32_t DeleteRecord(Registry& registry) {
  for (const std::string_view path : {zone_keys::kZoneRecordSites, zone_keys::kZoneRecord}) {
    if (const int32_t deleted = registry.DeleteKey(path); !DoneOrMissing(deleted)) return deleted;
  }
  // The tool's own key left empty says nothing, and is no part of the
  // settings: failing to delete it fails nothing.
  std::ignore = DeleteKeyIfEmpty(registry, zone_keys::kZoneRecordParent);
  return status::kSuccess;
}

}  // namespace

int32_t RecordZoneSettings(Registry& registry, RegistryKey& zone, std::string_view host) {
  // The settings before the mark: with no mark after them, no other check
  // had begun to change them when they were read.
  Settings settings;
  if (const int32_t read = ReadSettings(zone, settings); read != status::kSuccess) return read;
  RegistryKey record(registry);
  bool complete = false;
  if (const int32_t opened = OpenRecord(record, complete); opened != status::kSuccess) return opened;
  if (!complete) {
    if (AllHoldPolicy(settings)) return status::kSuccess;
    if (const int32_t taken = TakeRecord(record, settings); taken != status::kSuccess) return taken;
  }
  RegistryKey sites(registry);
  if (const int32_t made = sites.Create(zone_keys::kZoneRecordSites); made != status::kSuccess) return made;
  return sites.SetDword(host, 1);
}

bool HasZoneRecord(Registry& registry) {
  RegistryKey record(registry);
  bool complete = false;
  return OpenRecord(record, complete) == status::kSuccess && complete;
}

ZoneReleaseResult ReleaseZoneRecord(Registry& registry, const Site& site) {
  ZoneReleaseResult release;
  RegistryKey record(registry);
  bool complete = false;
  release.result = OpenRecord(record, complete);
  if (release.result != status::kSuccess || !record.is_open()) return release;
  if (!complete) {
    // Taken by a check that failed before changing anything: nothing to put back.
    record.Close();
    release.result = DeleteRecord(registry);
    return release;
  }
  release.outcome = ZoneRelease::kKept;
  bool any_left = false;
  release.result = LeaveSites(registry, site.host, !IsTrustedForAnyScheme(registry, site), any_left);
  if (release.result != status::kSuccess || any_left) return release;
  int values_left = 0;
  release.result = PutBack(registry, record, values_left);
  if (release.result != status::kSuccess) return release;
  record.Close();
  release.result = DeleteRecord(registry);
  if (release.result == status::kSuccess) release = {ZoneRelease::kRestored, values_left, status::kSuccess};
  return release;
}

}  // namespace orvel
