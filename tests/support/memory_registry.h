#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"

namespace orvel {

// An in-memory registry tree that behaves like the real one where the zone
// code can tell: key and value names are case-insensitive (in ASCII letters
// only: the real registry folds other scripts' letters too), subkeys enumerate
// in the registry's sorted order, values keep their type, names are measured
// in UTF-16 units. FaultyRegistry wraps it to make calls fail.
class MemoryRegistry final : public Registry {
 public:
  struct Value {
    std::string name;
    ValueType type;
    std::string data;
  };

  MemoryRegistry();
  ~MemoryRegistry() override;

  int32_t OpenKey(std::string_view path, KeyHandle& key) override;
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override;
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override;
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override;
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  // Values enumerate in the order they were first set.
  int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t CloseKey(KeyHandle key) override;
  int32_t DeleteKey(std::string_view path) override;
  int32_t DeleteValue(KeyHandle key, std::string_view name) override;

  // Every key below the root as "path" and every value as "path|name=type:hex",
  // sorted, for comparing whole trees.
  std::vector<std::string> Dump() const;

 private:
  struct Node;

  Node* Find(std::span<const std::string_view> names) const;
  Node* FindOrMake(std::span<const std::string_view> names, bool& created);
  // The key a handle reaches; kInvalidHandle or kKeyDeleted when none.
  int32_t NodeOf(KeyHandle key, Node*& node) const;
  KeyHandle NewHandle(Node* node);

  std::unique_ptr<Node> root_;
  // A handle whose key was deleted maps to nullptr until it is closed.
  std::map<KeyHandle, Node*> handles_;
  KeyHandle next_handle_ = 0x100;
};

}  // namespace orvel
