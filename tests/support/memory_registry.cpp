#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "text/utf8.h"

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

// The upper case of the letters of Latin-1, Latin Extended-A, Greek,
// Cyrillic and full-width Latin, as the registry's own case table has them;
// other characters compare as they are.
char32_t Upper(char32_t c) {
  const auto in = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
  if (in('a', 'z') || (in(0xE0, 0xFE) && c != 0xF7) || (in(0x3B1, 0x3CB) && c != 0x3C2) || in(0x430, 0x44F) ||
      in(0xFF41, 0xFF5A)) {
    return c - 0x20;
  }
  if (c == 0xFF) return 0x178;
  if (c == 0x3C2) return 0x3A3;
  if (in(0x450, 0x45F)) return c - 0x50;
  // Pairs with the capital first; dotless i (U+0131) keeps its own.
  if ((in(0x100, 0x12F) || in(0x132, 0x137) || in(0x14A, 0x177) || in(0x460, 0x481) || in(0x48A, 0x4BF)) &&
      c % 2 == 1) {
    return c - 1;
  }
  if ((in(0x139, 0x148) || in(0x179, 0x17E)) && c % 2 == 0) return c - 1;
  return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
  const auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6)), put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18)), put(0x80 | ((cp >> 12) & 0x3F)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
  }
}

// A key or value name as the registry compares it: in upper case.
std::string FoldKey(std::string_view name) {
  std::string folded;
  for (size_t pos = 0; pos < name.size();) {
    const size_t start = pos;
    const std::optional<char32_t> cp = NextCodePoint(name, pos);
    if (cp) {
      AppendUtf8(folded, Upper(*cp));
    } else {
      folded += name.substr(start, pos - start);
    }
  }
  return folded;
}

// Raw UTF-16LE bytes as UTF-8, as the real registry reads a text value back;
// an odd last byte is dropped and a lone surrogate kept as its 3-byte form.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  const auto unit = [&bytes](size_t i) -> char32_t {
    return static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  };
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(++i) - 0xDC00);
    }
    AppendUtf8(out, cp);
  }
  return out;
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
    const std::string key = FoldKey(value_name);
    for (Value& value : values) {
      if (FoldKey(value.name) == key) return &value;
    }
    return nullptr;
  }
};

MemoryRegistry::MemoryRegistry() : root_(std::make_unique<Node>()) {}
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Find(std::span<const std::string_view> names) const {
  Node* node = root_.get();
  for (std::string_view name : names) {
    const auto it = node->children.find(FoldKey(name));
    if (it == node->children.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::FindOrMake(std::span<const std::string_view> names, bool& created) {
  Node* node = root_.get();
  created = false;
  for (std::string_view name : names) {
    auto& slot = node->children[FoldKey(name)];
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
  // The real registry ends a REG_SZ set without its NUL with one.
  if (type == ValueType::kString && !bytes.empty() && bytes.back() != '\0') bytes.push_back('\0');
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
  // A REG_EXPAND_SZ is set as raw UTF-16LE bytes but, as every text value
  // of the real registry, read back as UTF-8; a REG_SZ is kept as UTF-8.
  std::string bytes = value->type == ValueType::kExpandString ? Utf16LeToUtf8(value->data) : value->data;
  if (bytes.size() > capacity) return status::kMoreData;
  type = static_cast<uint32_t>(value->type);
  data = std::move(bytes);
  return status::kSuccess;
}

int32_t MemoryRegistry::EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
  if (index >= node->children.size()) return status::kNoMoreItems;
  const Node& child = node->ChildAt(index);
  if (Utf16Length(child.name) + 1 > capacity) return status::kMoreData;
  name = child.name;
  return status::kSuccess;
}

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
  parent->children.erase(FoldKey(names.back()));
  return status::kSuccess;
}

int32_t MemoryRegistry::DeleteValue(KeyHandle key, std::string_view name) {
  Node* node = nullptr;
  if (const int32_t result = NodeOf(key, node); result != status::kSuccess) return result;
  const std::string folded = FoldKey(name);
  const auto erased =
      std::erase_if(node->values, [&folded](const Value& value) { return FoldKey(value.name) == folded; });
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
