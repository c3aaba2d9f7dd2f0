#include "tests/support/faulty_registry.h"

namespace orvel {

std::optional<FaultyRegistry::Fault> FaultyRegistry::Enter(RegistryCall call) {
  const int number = ++counts_[static_cast<int>(call)];
  calls_.push_back(call);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->call == call && it->at == number) {
      const Fault fault = *it;
      faults_.erase(it);
      return fault;
    }
  }
  return std::nullopt;
}

int32_t FaultyRegistry::Opened(int32_t result, KeyHandle key) {
  if (result == status::kSuccess) open_.insert(key);
  return result;
}

int32_t FaultyRegistry::OpenKey(std::string_view path, KeyHandle& key) {
  if (const auto fault = Enter(RegistryCall::kOpenKey)) return fault->result;
  const int32_t result = inner_.OpenKey(path, key);
  return Opened(result, key);
}

int32_t FaultyRegistry::CreateKey(std::string_view path, KeyHandle& key, bool& created) {
  if (const auto fault = Enter(RegistryCall::kCreateKey)) return fault->result;
  const int32_t result = inner_.CreateKey(path, key, created);
  return Opened(result, key);
}

int32_t FaultyRegistry::SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) {
  if (const auto fault = Enter(RegistryCall::kSetValue)) return fault->result;
  return inner_.SetValue(key, name, type, data);
}

int32_t FaultyRegistry::QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                                   std::string& data) {
  if (const auto fault = Enter(RegistryCall::kQueryValue)) return fault->result;
  return inner_.QueryValue(key, name, capacity, type, data);
}

int32_t FaultyRegistry::EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  if (const auto fault = Enter(RegistryCall::kEnumKey)) return fault->result;
  return inner_.EnumKey(key, index, capacity, name);
}

int32_t FaultyRegistry::EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  if (const auto fault = Enter(RegistryCall::kEnumValue)) return fault->result;
  return inner_.EnumValue(key, index, capacity, name);
}

int32_t FaultyRegistry::CloseKey(KeyHandle key) {
  const auto fault = Enter(RegistryCall::kCloseKey);
  const bool known = open_.erase(key) == 1;
  // Only keys this wrapper handed out reach the inner registry, so a stray
  // handle can never close one of somebody else's.
  const int32_t result = known ? inner_.CloseKey(key) : status::kInvalidHandle;
  return fault ? fault->result : result;
}

int32_t FaultyRegistry::DeleteKey(std::string_view path) {
  if (const auto fault = Enter(RegistryCall::kDeleteKey)) return fault->result;
  return inner_.DeleteKey(path);
}

int32_t FaultyRegistry::DeleteValue(KeyHandle key, std::string_view name) {
  if (const auto fault = Enter(RegistryCall::kDeleteValue)) return fault->result;
  return inner_.DeleteValue(key, name);
}

void FaultyRegistry::FailCall(RegistryCall call, int nth, int32_t result) {
  faults_.push_back(Fault{call, CallCount(call) + nth, result});
}

}  // namespace orvel
