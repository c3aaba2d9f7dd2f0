#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>

#include "tests/support/test_hive.h"
#include "win/win32_registry.h"

namespace orvel::test {

// A fresh key below HKCU\Software\orvel-helper-tests, deleted afterwards, so
// no test touches the user's own browser settings.
class ScratchHive final : public TestHive {
 public:
  ScratchHive();
  ~ScratchHive() override;
  ScratchHive(const ScratchHive&) = delete;
  ScratchHive& operator=(const ScratchHive&) = delete;

  Registry& registry() override { return *registry_; }
  std::vector<std::string> Dump() override;
  HKEY root() const { return root_; }
  // The scratch key's path below HKEY_CURRENT_USER.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  HKEY root_ = nullptr;
  std::unique_ptr<Win32Registry> registry_;
};

}  // namespace orvel::test
