#include "iemode/popup_policy.h"

#include <algorithm>
#include <map>
#include <string>

#include "iemode/ie_mode_keys.h"
#include "text/ascii.h"

namespace orvel {
namespace {

using namespace ie_mode_keys;
using Values = std::map<std::string, std::string>;

// The text values of an open key by name; one not text reads as empty, which
// no pattern is. False when the key cannot be listed.
bool ReadValues(RegistryKey& key, Values& values) {
  for (uint32_t i = 0;; ++i) {
    std::string name;
    const int32_t listed = key.EnumValue(i, kValueNameCapacity, name);
    if (listed == status::kNoMoreItems) return true;
    if (listed != status::kSuccess) return false;
    values[name] = key.ReadString(name).value_or("");
  }
}

// Reads the key's values; a missing key has none.
int32_t ReadKey(Registry& registry, std::string_view path, Values& values) {
  RegistryKey key(registry);
  const int32_t opened = key.Open(path);
  if (IsMissing(opened)) return status::kSuccess;
  if (opened != status::kSuccess) return opened;
  return ReadValues(key, values) ? status::kSuccess : status::kInvalidParameter;
}

// Edge's pop-up policy values and the tool's record of those it added.
struct PopupValues {
  Values allowed;
  Values recorded;
};

// Every value allowed is one the tool added, as it added it.
bool EveryValueIsTheTools(const PopupValues& values) {
  return std::ranges::all_of(values.allowed, [&](const auto& value) {
    const auto found = values.recorded.find(value.first);
    return found != values.recorded.end() && found->second == value.second;
  });
}

bool AllowsPattern(const Values& allowed, std::string_view pattern) {
  return std::ranges::any_of(allowed, [&](const auto& value) { return EqualsFolded(value.second, pattern); });
}

std::string LowestFreeName(const PopupValues& values) {
  for (int number = 1;; ++number) {
    std::string name = std::to_string(number);
    if (!values.allowed.contains(name) && !values.recorded.contains(name)) return name;
  }
}

std::string_view HostOf(std::string_view pattern) { return pattern.substr(0, pattern.find(':')); }

}  // namespace

int32_t AllowPopups(Registry& machine_writes, std::string_view pattern) {
  PopupValues values;
  int32_t result = ReadKey(machine_writes, kPopupsAllowed, values.allowed);
  if (result == status::kSuccess) result = ReadKey(machine_writes, kPopupsRecord, values.recorded);
  if (result != status::kSuccess || AllowsPattern(values.allowed, pattern) || !EveryValueIsTheTools(values)) {
    return result;
  }
  const std::string name = LowestFreeName(values);
  RegistryKey record(machine_writes);
  RegistryKey policy(machine_writes);
  result = record.Create(kPopupsRecord);
  if (result == status::kSuccess) result = record.SetString(name, pattern);
  if (result == status::kSuccess) result = policy.Create(kPopupsAllowed);
  if (result == status::kSuccess) result = policy.SetString(name, pattern);
  // The record alone is harmless, but says what is not so.
  if (result != status::kSuccess && record.is_open()) static_cast<void>(record.DeleteValue(name));
  return result;
}

int32_t TakeBackPopups(Registry& machine_writes, std::optional<std::string_view> host) {
  RegistryKey record(machine_writes);
  if (const int32_t opened = record.Open(kPopupsRecord); opened != status::kSuccess) {
    return IsMissing(opened) ? status::kSuccess : opened;
  }
  Values recorded;
  if (!ReadValues(record, recorded)) return status::kInvalidParameter;
  RegistryKey policy(machine_writes);
  const bool has_policy = policy.Open(kPopupsAllowed) == status::kSuccess;
  for (const auto& [name, pattern] : recorded) {
    if (host && !EqualsFolded(HostOf(pattern), *host)) continue;
    if (has_policy && policy.ReadString(name) == pattern) {
      if (const int32_t deleted = policy.DeleteValue(name); deleted != status::kSuccess) return deleted;
    }
    if (const int32_t deleted = record.DeleteValue(name); deleted != status::kSuccess) return deleted;
  }
  policy.Close();
  record.Close();
  const int32_t result = DeleteKeyIfEmpty(machine_writes, kPopupsAllowed);
  return result == status::kSuccess ? DeleteKeyIfEmpty(machine_writes, kPopupsRecord) : result;
}

std::optional<bool> PopupsAllowed(Registry& machine, std::string_view pattern) {
  PopupValues values;
  if (ReadKey(machine, kPopupsAllowed, values.allowed) != status::kSuccess) return std::nullopt;
  if (AllowsPattern(values.allowed, pattern) || AllowsPattern(values.allowed, "*")) return true;
  if (ReadKey(machine, kPopupsRecord, values.recorded) != status::kSuccess || !EveryValueIsTheTools(values)) {
    return std::nullopt;
  }
  return false;
}

}  // namespace orvel
