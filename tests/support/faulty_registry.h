#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"

namespace orvel {

enum class RegistryCall {
  kOpenKey,
  kCreateKey,
  kSetValue,
  kQueryValue,
  kEnumKey,
  kCloseKey,
  kEnumValue,
  kDeleteKey,
  kDeleteValue
};
inline constexpr int kRegistryCallCount = 9;

// Wraps any registry, the in-memory one or the real one: passes every call
// on, except those chosen to fail, and counts the calls and the keys left
// open. A close always releases its key, as the real registry's does, even
// when it is made to report a failure.
class FaultyRegistry final : public Registry {
 public:
  explicit FaultyRegistry(Registry& inner) : inner_(inner) {}

  int32_t OpenKey(std::string_view path, KeyHandle& key) override;
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override;
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override;
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override;
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t CloseKey(KeyHandle key) override;
  int32_t DeleteKey(std::string_view path) override;
  int32_t DeleteValue(KeyHandle key, std::string_view name) override;

  // Makes the `nth` call (1 = the next one) of `call` return `result`
  // without passing it on.
  void FailCall(RegistryCall call, int nth, int32_t result);
  void ClearFaults() { faults_.clear(); }
  int CallCount(RegistryCall call) const { return counts_[static_cast<int>(call)]; }
  // Every call so far, in order.
  const std::vector<RegistryCall>& Calls() const { return calls_; }
  size_t OpenHandleCount() const { return open_.size(); }

 private:
  struct Fault {
    RegistryCall call;
    int at;
    int32_t result;
  };

  // Counts the call and takes out the fault it is due to meet, if any.
  std::optional<Fault> Enter(RegistryCall call);
  int32_t Opened(int32_t result, KeyHandle key);

  Registry& inner_;
  int counts_[kRegistryCallCount] = {};
  std::vector<Fault> faults_;
  std::vector<RegistryCall> calls_;
  std::set<KeyHandle> open_;
};

}  // namespace orvel
