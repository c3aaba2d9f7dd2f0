#pragma once

#include "zones/registry.h"

namespace orvel {

// Passes every call on to another registry and notes whether one changed
// what it stores: a key created, a value written with other data or of
// another type, a key or value deleted. The console program says from it
// whether a run changed anything.
class ChangeRecordingRegistry final : public Registry {
 public:
  explicit ChangeRecordingRegistry(Registry& inner) : inner_(inner) {}

  bool changed() const { return changed_; }

  int32_t OpenKey(std::string_view path, KeyHandle& key) override { return inner_.OpenKey(path, key); }
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override;
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override;
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override {
    return inner_.QueryValue(key, name, capacity, type, data);
  }
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override {
    return inner_.EnumKey(key, index, capacity, name);
  }
  int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override {
    return inner_.EnumValue(key, index, capacity, name);
  }
  int32_t CloseKey(KeyHandle key) override { return inner_.CloseKey(key); }
  int32_t DeleteKey(std::string_view path) override { return Noted(inner_.DeleteKey(path)); }
  int32_t DeleteValue(KeyHandle key, std::string_view name) override { return Noted(inner_.DeleteValue(key, name)); }

 private:
  int32_t Noted(int32_t result) {
    if (result == status::kSuccess) changed_ = true;
    return result;
  }

  Registry& inner_;
  bool changed_ = false;
};

}  // namespace orvel
