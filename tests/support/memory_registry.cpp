#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "text/ascii.h"

namespace orvel {
namespace {

// The longest key name the registry accepts, in UTF-16 code units.
constexpr size_t kMaxKeyName = 255;

// The length of UTF-8 text in UTF-16 code units, as the registry counts it.
size_t Utf16Length(std::string_view utf8) {
  size_t units = 0;
  for (unsigned char byte : utf8) {
    if ((byte & 0xC0) != 0x80) ++units;  // a lead byte starts a character
    if (byte >= 0xF0) ++units;           // outside the BMP: a surrogate pair
  }
  return units;
}

// Splits a key path into names; a single trailing backslash is allowed, any
// other empty name is not.
std::optional<std::vector<std::string_view>> SplitPath(std::string_view path) {
  std::vector<std::string_view> names;
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return names;
  size_t start = 0;
  while (true) {
    const size_t end = path.find('\\', start);
    const std::string_view name =
        path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (name.empty() || Utf16Length(name) > kMaxKeyName) return std::nullopt;
    names.push_back(name);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return names;
}

std::string Hex(std::string_view bytes) {
  std::string out;
  char digits[3];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    out += digits;
  }
  return out;
}

}  // namespace

struct MemoryRegistry::Node {
  std::string name;
  // Keyed by the upper-case name: the registry's own enumeration order.
  std::map<std::string, std::unique_ptr<Node>> children;
  std::vector<Value> values;
  // Where the last enumeration stopped, so listing a key in order is linear.
  uint32_t cursor_index = 0;
  std::map<std::string, std::unique_ptr<Node>>::const_iterator cursor;
  bool cursor_valid = false;

  const Node& ChildAt(uint32_t index) {
    if (!cursor_valid || cursor_index > index) {
      cursor = children.begin();
      cursor_index = 0;
      cursor_valid = true;
    }
    cursor = std::next(cursor, index - cursor_index);
    cursor_index = index;
    return *cursor->second;
  }

  Value* FindValue(std::string_view value_name) {
    const std::string key = FoldName(value_name);
    for (Value& value : values) {
      if (FoldName(value.name) == key) return &value;
    }
    return nullptr;
  }
};

MemoryRegistry::MemoryRegistry() : root_(std::make_unique<Node>()) {}
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(std::string_view path) const {
  const auto names = SplitPath(path);
  if (!names) return nullptr;
  Node* node = root_.get();
  for (std::string_view name : *names) {
    const auto it = node->children.find(FoldName(name));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::FindOrMake(std::string_view path, bool& created) {
  const auto names = SplitPath(path);
  if (!names) return nullptr;
  Node* node = root_.get();
  created = false;
  for (std::string_view name : *names) {
    auto& slot = node->children[FoldName(name)];
    created = !slot;
    if (!slot) {
      node->cursor_valid = false;
      slot = std::make_unique<Node>();
      slot->name = std::string(name);
    }
    node = slot.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::NodeOf(KeyHandle key) const {
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

KeyHandle MemoryRegistry::NewHandle(Node* node) {
  const KeyHandle handle = next_handle_++;
  handles_[handle] = node;
  return handle;
}

int32_t MemoryRegistry::OpenKey(std::string_view path, KeyHandle& key) {
  if (!SplitPath(path)) return status::kInvalidParameter;
  Node* node = Find(path);
  if (node == nullptr) return status::kFileNotFound;
  key = NewHandle(node);
  return status::kSuccess;
}

int32_t MemoryRegistry::CreateKey(std::string_view path, KeyHandle& key, bool& created) {
  bool is_new = false;
  Node* node = FindOrMake(path, is_new);
  if (node == nullptr) return status::kInvalidParameter;
  key = NewHandle(node);
  created = is_new;
  return status::kSuccess;
}

int32_t MemoryRegistry::SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) {
  Node* node = NodeOf(key);
  if (node == nullptr) return status::kInvalidHandle;
  if (Value* value = node->FindValue(name)) {
    value->type = type;
    value->data = std::string(data);
  } else {
    node->values.push_back(Value{std::string(name), type, std::string(data)});
  }
  return status::kSuccess;
}

int32_t MemoryRegistry::QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                                   std::string& data) {
  Node* node = NodeOf(key);
  if (node == nullptr) return status::kInvalidHandle;
  const Value* value = node->FindValue(name);
  if (value == nullptr) return status::kFileNotFound;
  if (value->data.size() > capacity) return status::kMoreData;
  type = static_cast<uint32_t>(value->type);
  data = value->data;
  return status::kSuccess;
}

int32_t MemoryRegistry::EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  Node* node = NodeOf(key);
  if (node == nullptr) return status::kInvalidHandle;
  if (index >= node->children.size()) return status::kNoMoreItems;
  const Node& child = node->ChildAt(index);
  if (Utf16Length(child.name) + 1 > capacity) return status::kMoreData;
  name = child.name;
  return status::kSuccess;
}

int32_t MemoryRegistry::EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  Node* node = NodeOf(key);
  if (node == nullptr) return status::kInvalidHandle;
  if (index >= node->values.size()) return status::kNoMoreItems;
  const std::string& value_name = node->values[index].name;
  if (Utf16Length(value_name) + 1 > capacity) return status::kMoreData;
  name = value_name;
  return status::kSuccess;
}

int32_t MemoryRegistry::CloseKey(KeyHandle key) {
  return handles_.erase(key) == 1 ? status::kSuccess : status::kInvalidHandle;
}

int32_t MemoryRegistry::DeleteKey(std::string_view path) {
  const auto names = SplitPath(path);
  if (!names) return status::kInvalidParameter;
  if (names->empty()) return status::kAccessDenied;
  Node* node = Find(path);
  if (node == nullptr) return status::kFileNotFound;
  // As the real registry: a key with subkeys stays.
  if (!node->children.empty()) return status::kAccessDenied;
  std::string parent_path(path.substr(0, path.size() - (path.back() == '\\' ? 1 : 0)));
  parent_path.resize(parent_path.size() - names->back().size());
  Node* parent = Find(parent_path);
  // Handles to a deleted key no longer reach it.
  std::erase_if(handles_, [node](const auto& entry) { return entry.second == node; });
  parent->cursor_valid = false;
  parent->children.erase(FoldName(names->back()));
  return status::kSuccess;
}

int32_t MemoryRegistry::DeleteValue(KeyHandle key, std::string_view name) {
  Node* node = NodeOf(key);
  if (node == nullptr) return status::kInvalidHandle;
  const std::string folded = FoldName(name);
  const auto erased =
      std::erase_if(node->values, [&folded](const Value& value) { return FoldName(value.name) == folded; });
  return erased == 0 ? status::kFileNotFound : status::kSuccess;
}

std::vector<std::string> MemoryRegistry::Dump() const {
  std::vector<std::string> lines;
  auto walk = [&lines](const auto& self, const Node& node, const std::string& path) -> void {
    for (const Value& value : node.values) {
      lines.push_back(path + "|" + value.name + "=" + std::to_string(static_cast<uint32_t>(value.type)) + ":" +
                      Hex(value.data));
    }
    for (const auto& [key, child] : node.children) {
      const std::string child_path = path.empty() ? child->name : path + "\\" + child->name;
      lines.push_back(child_path);
      self(self, *child, child_path);
    }
  };
  walk(walk, *root_, "");
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace orvel
