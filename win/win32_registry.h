#pragma once

#include <windows.h>

#include "zones/registry.h"

namespace orvel {

// The real registry, below a root key that stays the caller's:
// HKEY_CURRENT_USER in the product, a scratch key in tests.
class Win32Registry final : public Registry {
 public:
  explicit Win32Registry(HKEY root) : root_(root) {}

  int32_t OpenKey(std::string_view path, KeyHandle& key) override;
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override;
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override;
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override;
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t CloseKey(KeyHandle key) override;

 private:
  HKEY root_;
};

}  // namespace orvel
