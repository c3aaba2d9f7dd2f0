#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zones/registry.h"

namespace orvel::test {

// A registry for scenario tests: an in-memory one natively, a scratch key of
// the real registry under Wine. Each test gets a fresh, empty one.
class TestHive {
 public:
  virtual ~TestHive() = default;
  virtual Registry& registry() = 0;
  // Every key below the root as "path" and every value as
  // "path|name=type:hex", sorted (texts in UTF-8).
  virtual std::vector<std::string> Dump() = 0;
};

// Makes a fresh, empty hive: the parameter of the scenario fixtures, which
// run over the in-memory registry and, on Windows, a scratch key.
using HiveMaker = std::unique_ptr<TestHive> (*)();
std::unique_ptr<TestHive> MakeMemoryHive();

// Setting up and reading back, through the Registry interface.
void PutKey(Registry& registry, std::string_view path);
void PutValue(Registry& registry, std::string_view path, std::string_view name, ValueType type, std::string_view data);
void PutDword(Registry& registry, std::string_view path, std::string_view name, uint32_t value);
void PutString(Registry& registry, std::string_view path, std::string_view name, std::string_view text);
bool HasKey(Registry& registry, std::string_view path);
// The raw data of a value, as Registry::QueryValue gives it.
std::optional<std::string> GetValue(Registry& registry, std::string_view path, std::string_view name);
std::optional<uint32_t> GetDword(Registry& registry, std::string_view path, std::string_view name);

}  // namespace orvel::test
