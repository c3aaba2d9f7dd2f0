#include "iemode/policy_record.h"

#include <string>
#include <tuple>

#include "iemode/ie_mode_keys.h"

namespace orvel {
namespace {

using namespace ie_mode_keys;

bool Absent(RegistryKey& key, std::string_view name) {
  std::string data;
  return IsMissing(key.Query(name, kTextCapacity, data));
}

bool Recorded(RegistryKey& record, std::string_view name) { return record.ReadDword(name) == 1u; }

// A policy value the tool sets when absent, and its entry in the record.
struct RecordedValue {
  std::string_view name;
  std::string_view record_name;
};
constexpr RecordedValue kListValue{kSiteList, kSiteListSet};
constexpr RecordedValue kLevelValue{kLevel, kLevelSet};
constexpr RecordedValue kDelayValue{kDelayInitialDownload, kDelaySet};

// Edge's machine policy key and the tool's record of what it set there.
struct PolicyKeys {
  explicit PolicyKeys(Registry& registry) : policy(registry), record(registry) {}
  RegistryKey policy;
  RegistryKey record;
};

// Sets one policy value when absent, recording it first: a record without its
// value is harmless, as take-back looks at content, while a value without its
// record would never be taken back.
template <typename Set>
int32_t SetIfAbsent(PolicyKeys& keys, RecordedValue value, Set set) {
  if (!Absent(keys.policy, value.name)) return status::kSuccess;
  if (const int32_t result = keys.record.SetDword(value.record_name, 1); result != status::kSuccess) return result;
  const int32_t result = set();
  // Best effort: the record alone is harmless.
  if (result != status::kSuccess) std::ignore = keys.record.DeleteValue(value.record_name);
  return result;
}

// The level turns on whatever list is in force: it is the tool's to take back
// only while that list is still the tool's and no other list policy (the
// cloud list, IE's own Enterprise Mode list) relies on it.
bool OwnListInForce(Registry& machine, PolicyKeys& keys, std::string_view own_url) {
  if (!Absent(keys.policy, kCloudSiteList) || ReadString(machine, kEnterpriseMode, kEnterpriseSiteList)) return false;
  std::string location;
  const int32_t read = keys.policy.QueryString(kSiteList, kTextCapacity, location);
  if (read == status::kSuccess) return location == own_url;
  return IsMissing(read) && Recorded(keys.record, kSiteListSet);
}

}  // namespace

int32_t SetAbsentPolicies(Registry& machine_writes, std::string_view own_url) {
  PolicyKeys keys(machine_writes);
  RegistryKey& policy = keys.policy;
  int32_t result = keys.record.Create(kRecord);
  if (result == status::kSuccess) result = policy.Create(kEdgePolicy);
  // The list before the level: a level left alone when the list fails could
  // not be told from an administrator's.
  if (result == status::kSuccess) {
    result = SetIfAbsent(keys, kListValue, [&] { return policy.SetString(kSiteList, own_url); });
  }
  if (result == status::kSuccess) {
    result = SetIfAbsent(keys, kLevelValue, [&] { return policy.SetDword(kLevel, kLevelIeMode); });
  }
  if (result == status::kSuccess) {
    result = SetIfAbsent(keys, kDelayValue, [&] { return policy.SetDword(kDelayInitialDownload, 1); });
  }
  return result;
}

int32_t TakeBackPolicies(Registry& machine_writes, std::string_view own_url) {
  PolicyKeys keys(machine_writes);
  RegistryKey& record = keys.record;
  RegistryKey& policy = keys.policy;
  if (IsMissing(record.Open(kRecord))) return status::kSuccess;
  const bool has_policy = policy.Open(kEdgePolicy) == status::kSuccess;
  int32_t result = status::kSuccess;
  if (has_policy && Recorded(record, kLevelSet) && policy.ReadDword(kLevel) == kLevelIeMode &&
      OwnListInForce(machine_writes, keys, own_url)) {
    result = policy.DeleteValue(kLevel);
  }
  if (DoneOrMissing(result) && has_policy && Recorded(record, kDelaySet) &&
      policy.ReadDword(kDelayInitialDownload) == 1u) {
    result = policy.DeleteValue(kDelayInitialDownload);
  }
  if (DoneOrMissing(result) && has_policy && Recorded(record, kSiteListSet) &&
      policy.ReadString(kSiteList) == own_url) {
    result = policy.DeleteValue(kSiteList);
  }
  if (!DoneOrMissing(result)) return result;
  policy.Close();
  record.Close();
  // An empty policy key says nothing; whoever made it, none is better.
  if (has_policy) result = DeleteKeyIfEmpty(machine_writes, kEdgePolicy);
  if (result != status::kSuccess) return result;
  result = machine_writes.DeleteKey(kRecord);
  if (!DoneOrMissing(result)) return result;
  return DeleteKeyIfEmpty(machine_writes, kRecordParent);
}

}  // namespace orvel
