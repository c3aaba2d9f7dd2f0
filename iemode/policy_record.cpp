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

// Sets one policy value when absent, recording it first: a record without its
// value is harmless, as take-back looks at content, while a value without its
// record would never be taken back.
template <typename Set>
int32_t SetIfAbsent(RegistryKey& policy, RegistryKey& record, std::string_view name, std::string_view record_name,
                    Set set) {
  if (!Absent(policy, name)) return status::kSuccess;
  if (const int32_t result = record.SetDword(record_name, 1); result != status::kSuccess) return result;
  const int32_t result = set();
  // Best effort: the record alone is harmless.
  if (result != status::kSuccess) std::ignore = record.DeleteValue(record_name);
  return result;
}

// The level turns on whatever list is in force: it is the tool's to take back
// only while that list is still the tool's.
bool OwnListInForce(RegistryKey& policy, RegistryKey& record, std::string_view own_url) {
  std::string location;
  const int32_t read = policy.QueryString(kSiteList, kTextCapacity, location);
  if (read == status::kSuccess) return location == own_url;
  return IsMissing(read) && Recorded(record, kSiteListSet);
}

// Deleting what is already gone is fine.
bool DeletedOrGone(int32_t result) { return result == status::kSuccess || IsMissing(result); }

}  // namespace

int32_t SetAbsentPolicies(Registry& machine_writes, std::string_view own_url) {
  RegistryKey record(machine_writes);
  RegistryKey policy(machine_writes);
  int32_t result = record.Create(kRecord);
  if (result == status::kSuccess) result = policy.Create(kEdgePolicy);
  // The list before the level: a level left alone when the list fails could
  // not be told from an administrator's.
  if (result == status::kSuccess) {
    result = SetIfAbsent(policy, record, kSiteList, kSiteListSet, [&] { return policy.SetString(kSiteList, own_url); });
  }
  if (result == status::kSuccess) {
    result = SetIfAbsent(policy, record, kLevel, kLevelSet, [&] { return policy.SetDword(kLevel, kLevelIeMode); });
  }
  if (result == status::kSuccess) {
    result = SetIfAbsent(policy, record, kDelayInitialDownload, kDelaySet,
                         [&] { return policy.SetDword(kDelayInitialDownload, 1); });
  }
  return result;
}

int32_t TakeBackPolicies(Registry& machine_writes, std::string_view own_url) {
  RegistryKey record(machine_writes);
  if (IsMissing(record.Open(kRecord))) return status::kSuccess;
  RegistryKey policy(machine_writes);
  const bool has_policy = policy.Open(kEdgePolicy) == status::kSuccess;
  int32_t result = status::kSuccess;
  if (has_policy && Recorded(record, kLevelSet) && policy.ReadDword(kLevel) == kLevelIeMode &&
      OwnListInForce(policy, record, own_url)) {
    result = policy.DeleteValue(kLevel);
  }
  if (DeletedOrGone(result) && has_policy && Recorded(record, kDelaySet) &&
      policy.ReadDword(kDelayInitialDownload) == 1u) {
    result = policy.DeleteValue(kDelayInitialDownload);
  }
  if (DeletedOrGone(result) && has_policy && Recorded(record, kSiteListSet) && policy.ReadString(kSiteList) == own_url) {
    result = policy.DeleteValue(kSiteList);
  }
  if (!DeletedOrGone(result)) return result;
  policy.Close();
  record.Close();
  // An empty policy key says nothing; whoever made it, none is better.
  if (has_policy) result = DeleteKeyIfEmpty(machine_writes, kEdgePolicy);
  if (result != status::kSuccess) return result;
  result = machine_writes.DeleteKey(kRecord);
  if (!DeletedOrGone(result)) return result;
  return DeleteKeyIfEmpty(machine_writes, kRecordParent);
}

}  // namespace orvel
