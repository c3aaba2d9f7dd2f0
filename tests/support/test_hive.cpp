#include "tests/support/test_hive.h"

#include <stdexcept>

namespace orvel::test {
namespace {

void Check(int32_t result, std::string_view what, std::string_view path) {
  if (result != status::kSuccess) {
    throw std::runtime_error(std::string(what) + " " + std::string(path) + ": " + std::to_string(result));
  }
}

}  // namespace

void PutKey(Registry& registry, std::string_view path) {
  RegistryKey key(registry);
  Check(key.Create(path), "create", path);
}

void PutValue(Registry& registry, std::string_view path, std::string_view name, ValueType type, std::string_view data) {
  RegistryKey key(registry);
  Check(key.Create(path), "create", path);
  Check(key.SetValue(name, type, data), "set value in", path);
}

void PutDword(Registry& registry, std::string_view path, std::string_view name, uint32_t value) {
  PutValue(registry, path, name, ValueType::kDword, DwordBytes(value));
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a key's path, a value's name and its text.
void PutString(Registry& registry, std::string_view path, std::string_view name, std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  PutValue(registry, path, name, ValueType::kString, data);
}

bool HasKey(Registry& registry, std::string_view path) {
  RegistryKey key(registry);
  return key.Open(path) == status::kSuccess;
}

std::optional<std::string> GetValue(Registry& registry, std::string_view path, std::string_view name) {
  RegistryKey key(registry);
  std::string data;
  if (key.Open(path) != status::kSuccess || key.Query(name, 1u << 20, data) != status::kSuccess) return std::nullopt;
  return data;
}

std::optional<uint32_t> GetDword(Registry& registry, std::string_view path, std::string_view name) {
  const auto data = GetValue(registry, path, name);
  if (!data || data->size() != 4) return std::nullopt;
  return DwordFromBytes(*data);
}

}  // namespace orvel::test
