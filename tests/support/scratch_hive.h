#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "tests/support/test_hive.h"
#include "win/unique_any.h"
#include "win/win32_registry.h"

namespace orvel::test {

// Every scratch key lives below this key of HKEY_CURRENT_USER.
inline constexpr std::wstring_view kScratchParent = L"Software\\orvel-helper-tests";

// The time now as a FILETIME count of 100 ns since 1601, UTC.
uint64_t FileTimeNow();
// A scratch key's name: when it was made (UTC, so its age can be read back),
// then the process and a counter, so no two are alike.
std::wstring ScratchKeyName(uint64_t now, uint32_t process, int counter);
// Whether a key below kScratchParent is a scratch key left over for more
// than a day. Names of another form are never taken for one.
bool IsStaleScratchKey(std::wstring_view name, uint64_t now);

// A fresh key below kScratchParent, deleted afterwards, so no test touches
// the user's own browser settings. Making it first sweeps away scratch keys
// that earlier runs left behind; failing to create it throws.
class ScratchHive final : public TestHive {
 public:
  ScratchHive();
  ~ScratchHive() override;
  ScratchHive(const ScratchHive&) = delete;
  ScratchHive& operator=(const ScratchHive&) = delete;

  Registry& registry() override { return *registry_; }
  std::vector<std::string> Dump() override;
  HKEY root() const { return root_.get(); }
  // The scratch key's path below HKEY_CURRENT_USER.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  UniqueKey root_;
  std::unique_ptr<Win32Registry> registry_;
};

std::unique_ptr<TestHive> MakeScratchHive();

}  // namespace orvel::test
