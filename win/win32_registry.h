#pragma once

#include <windows.h>

#include "zones/registry.h"

namespace orvel {

// The real registry, below a root key that stays the caller's:
// HKEY_CURRENT_USER or HKEY_USERS\<SID> in the product, a scratch key in tests.
class Win32Registry final : public Registry {
 public:
  explicit Win32Registry(HKEY root) : root_(root) {}
  // Keys opened with KEY_READ and `view` (KEY_WOW64_64KEY ...); creating a
  // key or setting a value fails with access denied, so nothing is written.
  static Win32Registry ReadOnly(HKEY root, REGSAM view);
  // The machine's settings as the browser reads them, only read: through the
  // 64-bit view from the x86 build too. Policies are the same in both views,
  // and the machine's Internet Settings are read where 64-bit Windows keeps
  // them; 32-bit Windows ignores the flag.
  static Win32Registry MachineSettings() { return ReadOnly(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY); }
  // The machine's registry in the same view, for the one machine-wide write
  // (Edge's IE mode): every key is opened to read and write, so where the
  // process may not write, opening fails before anything is written.
  static Win32Registry MachineWrites() {
    return Win32Registry(HKEY_LOCAL_MACHINE, KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, false);
  }
  // Whether this process may write the machine's policies (elevated, or
  // SYSTEM): asked of the policies key every Windows has, changing nothing.
  static bool MayWriteMachinePolicies();

  int32_t OpenKey(std::string_view path, KeyHandle& key) override;
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override;
  int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) override;
  int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                     std::string& data) override;
  int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) override;
  int32_t CloseKey(KeyHandle key) override;
  int32_t DeleteKey(std::string_view path) override;
  int32_t DeleteValue(KeyHandle key, std::string_view name) override;

 private:
  Win32Registry(HKEY root, REGSAM access, bool read_only) : root_(root), access_(access), read_only_(read_only) {}

  HKEY root_;
  REGSAM access_ = MAXIMUM_ALLOWED;
  bool read_only_ = false;
};

}  // namespace orvel
