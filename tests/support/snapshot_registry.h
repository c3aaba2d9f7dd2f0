#pragma once

#include <string>
#include <vector>

#include "tests/support/memory_registry.h"

namespace orvel::test {

// Forwards every call and keeps the whole in-memory tree as it stood before
// each one, so a run cut short at call i can be compared with what a full
// run had written up to that point.
class SnapshotRegistry final : public Registry {
 public:
  SnapshotRegistry(Registry& inner, const MemoryRegistry& tree) : inner_(inner), tree_(tree) {}

  int32_t OpenKey(std::string_view path, KeyHandle& key) override {
    Snap();
    return inner_.OpenKey(path, key);
  }
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override {
    Snap();
    return inner_.CreateKey(path, key, created);
  }
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override {
    Snap();
    return inner_.SetValue(key, name, type, data);
  }
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override {
    Snap();
    return inner_.QueryValue(key, name, capacity, type, data);
  }
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override {
    Snap();
    return inner_.EnumKey(key, index, capacity, name);
  }
  int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override {
    Snap();
    return inner_.EnumValue(key, index, capacity, name);
  }
  int32_t CloseKey(KeyHandle key) override {
    Snap();
    return inner_.CloseKey(key);
  }
  int32_t DeleteKey(std::string_view path) override {
    Snap();
    return inner_.DeleteKey(path);
  }
  int32_t DeleteValue(KeyHandle key, std::string_view name) override {
    Snap();
    return inner_.DeleteValue(key, name);
  }

  // The tree before call i (0 = the first call made through this object).
  const std::vector<std::vector<std::string>>& before_call() const { return before_call_; }

 private:
  void Snap() { before_call_.push_back(tree_.Dump()); }

  Registry& inner_;
  const MemoryRegistry& tree_;
  std::vector<std::vector<std::string>> before_call_;
};

}  // namespace orvel::test
