#include "zones/registry.h"

#include "text/trim.h"

namespace orvel {

std::string DwordBytes(uint32_t value) {
  std::string bytes(4, '\0');
  for (size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

uint32_t DwordFromBytes(std::string_view bytes) {
  uint32_t number = 0;
  for (size_t i = 0; i < bytes.size() && i < 4; ++i) {
    number |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return number;
}

std::string_view WithoutTrailingBackslash(std::string_view path) {
  return path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
}

int32_t Registry::DeleteKey(std::string_view) { return status::kNotSupported; }
int32_t Registry::DeleteValue(KeyHandle, std::string_view) { return status::kNotSupported; }

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    registry_ = other.registry_;
    handle_ = std::exchange(other.handle_, KeyHandle{0});
  }
  return *this;
}

// Opened into a key of its own first, so that a failure keeps the old key and
// a handle the registry gave out despite failing is still closed.
int32_t RegistryKey::Open(std::string_view path) {
  RegistryKey opened(*registry_);
  const int32_t result = registry_->OpenKey(path, opened.handle_);
  if (result == status::kSuccess) std::swap(handle_, opened.handle_);
  return result;
}

int32_t RegistryKey::Create(std::string_view path, bool* created) {
  RegistryKey opened(*registry_);
  bool is_new = false;
  const int32_t result = registry_->CreateKey(path, opened.handle_, is_new);
  if (result != status::kSuccess) return result;
  std::swap(handle_, opened.handle_);
  if (created != nullptr) *created = is_new;
  return result;
}

int32_t RegistryKey::SetValue(std::string_view name, ValueType type, std::string_view data) {
  return registry_->SetValue(handle_, name, type, data);
}

int32_t RegistryKey::SetDword(std::string_view name, uint32_t value) {
  return SetValue(name, ValueType::kDword, DwordBytes(value));
}

int32_t RegistryKey::SetQword(std::string_view name, uint64_t value) {
  std::string bytes = DwordBytes(static_cast<uint32_t>(value));
  return SetValue(name, ValueType::kQword, bytes.append(DwordBytes(static_cast<uint32_t>(value >> 32))));
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a value's name and text, as the Win32 call takes them.
int32_t RegistryKey::SetString(std::string_view name, std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  return SetValue(name, ValueType::kString, data);
}

int32_t RegistryKey::SetBinary(std::string_view name, std::string_view bytes) {
  return SetValue(name, ValueType::kBinary, bytes);
}

int32_t RegistryKey::QueryDword(std::string_view name, uint32_t& value) {
  uint32_t type = 0;
  std::string data;
  const int32_t result = registry_->QueryValue(handle_, name, 4, type, data);
  if (result != status::kSuccess) return result;
  if (type != static_cast<uint32_t>(ValueType::kDword) || data.size() != 4) return status::kUnsupportedType;
  value = DwordFromBytes(data);
  return result;
}

int32_t RegistryKey::QueryString(std::string_view name, uint32_t capacity, std::string& text) {
  uint32_t type = 0;
  std::string data;
  const int32_t result = registry_->QueryValue(handle_, name, capacity, type, data);
  if (result != status::kSuccess) return result;
  if (type != static_cast<uint32_t>(ValueType::kString) && type != static_cast<uint32_t>(ValueType::kExpandString)) {
    return status::kUnsupportedType;
  }
  text = TrimAtNul(data);
  return result;
}

int32_t RegistryKey::Query(std::string_view name, uint32_t capacity, std::string& data) {
  uint32_t type = 0;
  return Query(name, capacity, type, data);
}

int32_t RegistryKey::Query(std::string_view name, uint32_t capacity, uint32_t& type, std::string& data) {
  return registry_->QueryValue(handle_, name, capacity, type, data);
}

std::optional<uint32_t> RegistryKey::ReadDword(std::string_view name) {
  uint32_t value = 0;
  if (QueryDword(name, value) != status::kSuccess) return std::nullopt;
  return value;
}

std::optional<uint64_t> RegistryKey::ReadQword(std::string_view name) {
  uint32_t type = 0;
  std::string data;
  if (registry_->QueryValue(handle_, name, 8, type, data) != status::kSuccess ||
      type != static_cast<uint32_t>(ValueType::kQword) || data.size() != 8) {
    return std::nullopt;
  }
  return DwordFromBytes(data) | (uint64_t{DwordFromBytes(std::string_view(data).substr(4))} << 32);
}

std::optional<std::string> RegistryKey::ReadString(std::string_view name, uint32_t capacity) {
  std::string text;
  if (QueryString(name, capacity, text) != status::kSuccess) return std::nullopt;
  return text;
}

int32_t RegistryKey::EnumKey(uint32_t index, uint32_t capacity, std::string& name) {
  return registry_->EnumKey(handle_, index, capacity, name);
}

int32_t RegistryKey::EnumValue(uint32_t index, uint32_t capacity, std::string& name) {
  return registry_->EnumValue(handle_, index, capacity, name);
}

int32_t RegistryKey::DeleteValue(std::string_view name) { return registry_->DeleteValue(handle_, name); }

bool RegistryKey::IsEmpty() {
  // A one-unit buffer is enough: a name too long for it still says that a
  // subkey or value is there.
  std::string name;
  return registry_->EnumKey(handle_, 0, 1, name) == status::kNoMoreItems &&
         registry_->EnumValue(handle_, 0, 1, name) == status::kNoMoreItems;
}

void RegistryKey::Close() noexcept {
  if (handle_ == 0) return;
  registry_->CloseKey(std::exchange(handle_, KeyHandle{0}));
}

std::optional<uint32_t> ReadDword(Registry& registry, std::string_view path, std::string_view name) {
  RegistryKey key(registry);
  return key.Open(path) == status::kSuccess ? key.ReadDword(name) : std::nullopt;
}

std::optional<std::string> ReadString(Registry& registry, std::string_view path, std::string_view name) {
  RegistryKey key(registry);
  return key.Open(path) == status::kSuccess ? key.ReadString(name) : std::nullopt;
}

int32_t DeleteKeyIfEmpty(Registry& registry, std::string_view path) {
  {
    RegistryKey key(registry);
    const int32_t opened = key.Open(path);
    if (opened != status::kSuccess) return IsMissing(opened) ? status::kSuccess : opened;
    if (!key.IsEmpty()) return status::kSuccess;
  }
  const int32_t deleted = registry.DeleteKey(path);
  return IsMissing(deleted) ? status::kSuccess : deleted;
}

}  // namespace orvel
