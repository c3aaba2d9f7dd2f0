#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "text/ascii.h"

namespace orvel {
namespace {

// The longest key name the registry accepts, in UTF-16 code units.
constexpr size_t kMaxKeyName = 255;
// ERROR_BAD_PATHNAME and ERROR_KEY_DELETED, which the zone code never
// tells apart from other failures.
constexpr int32_t kBadPathname = 161;
constexpr int32_t kKeyDeleted = 1018;

// The length of UTF-8 text in UTF-16 code units, as the registry counts it.
size_t Utf16Length(std::string_view utf8) {
  size_t units = 0;
  for (unsigned char byte : utf8) {
    if ((byte & 0xC0) != 0x80) ++units;  // a lead byte starts a character
    if (byte >= 0xF0) ++units;           // outside the BMP: a surrogate pair
  }
  return units;
}

// Splits a key path into names as the real registry reads it: a run of
// backslashes is one separator and trailing ones are ignored, but a path
// may not begin with one, and no name may be longer than kMaxKeyName.
int32_t SplitPath(std::string_view path, std::vector<std::string_view>& names) {
  names.clear();
  if (!path.empty() && path.front() == '\\') return kBadPathname;
  for (size_t start = 0; start < path.size();) {
    const size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view name = path.substr(start, end - start);
    if (!name.empty()) {
      if (Utf16Length(name) > kMaxKeyName) return status::kInvalidParameter;
      names.push_back(name);
    }
    start = end + 1;
  }
  return status::kSuccess;
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

MemoryRegistry::Node* MemoryRegistry::Find(std::span<const std::string_view> names) const {
  Node* node = root_.get();
  for (std::string_view name : names) {
    const auto it = node->children.find(FoldName(name));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::FindOrMake(std::span<const std::string_view> names, bool& created) {
  Node* node = root_.get();
  created = false;
  for (std::string_view name : names) {
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

int32_t MemoryRegistry::NodeOf(KeyHandle key, Node*& node) const {
  const auto it = handles_.find(key);
  if (it == handles_.end()) return status::kInvalidHandle;
  // A handle outlives the key it was opened on, which answers no more.
  if (it->second == nullptr) return kKeyDeleted;
  node = it->second;
  return status::kSuccess;
}

KeyHandle MemoryRegistry::NewHandle(Node* node) {
  const KeyHandle handle = next_handle_++;
  handles_[handle] = node;
  return handle;
}

int32_t MemoryRegistry::OpenKey(std::string_view path, KeyHandle& key) {
  std::vector<std::string_view> names;
  if (const int32_t result = SplitPath(path, names); result != status::kSuccess) return result;
  Node* node = Find(names);
  if (node == nullptr) return status::kFileNotFound;
  key = NewHandle(node);
  return status::kSuccess;
}

int32_t MemoryRegistry::CreateKey(std::string_view path, KeyHandle& key, bool& created) {
  std::vector<std::string_view> names;
  if (const int32_t result = SplitPath(path, names); result != status::kSuccess) return result;
  bool is_new = false;
  Node* node = FindOrMake(names, is_new);
  key = NewHandle(node);
  created = is_new;
  return status::kSuccess;
}

int32_t MemoryRegistry::SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
  std::string bytes(data);
  // The real registry ends a text value set without its NUL with one.
  const bool text = type == ValueType::kString || type == ValueType::kExpandString;
  if (text && !bytes.empty() && bytes.back() != '\0') bytes.push_back('\0');
  if (Value* value = node->FindValue(name)) {
    value->type = type;
    value->data = std::move(bytes);
  } else {
    node->values.push_back(Value{std::string(name), type, std::move(bytes)});
  }
  return status::kSuccess;
}

int32_t MemoryRegistry::QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                                   std::string& data) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
  const Value* value = node->FindValue(name);
  if (value == nullptr) return status::kFileNotFound;
  if (value->data.size() > capacity) return status::kMoreData;
  type = static_cast<uint32_t>(value->type);
  data = value->data;
  return status::kSuccess;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the Registry interface's shape.
int32_t MemoryRegistry::EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
  if (index >= node->children.size()) return status::kNoMoreItems;
  const Node& child = node->ChildAt(index);
  if (Utf16Length(child.name) + 1 > capacity) return status::kMoreData;
  name = child.name;
  return status::kSuccess;
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): the Registry interface's shape.
int32_t MemoryRegistry::EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
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
  std::vector<std::string_view> names;
  if (const int32_t result = SplitPath(path, names); result != status::kSuccess) return result;
  if (names.empty()) return status::kAccessDenied;
  Node* node = Find(names);
  if (node == nullptr) return status::kFileNotFound;
  // As the real registry: a key with subkeys stays.
  if (!node->children.empty()) return status::kAccessDenied;
  Node* parent = Find(std::span(names).first(names.size() - 1));
  for (auto& [handle, open] : handles_) {
    if (open == node) open = nullptr;
  }
  parent->cursor_valid = false;
  parent->children.erase(FoldName(names.back()));
  return status::kSuccess;
}

int32_t MemoryRegistry::DeleteValue(KeyHandle key, std::string_view name) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
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
