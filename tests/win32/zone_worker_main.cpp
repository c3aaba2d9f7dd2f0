// One of two copies of the check that run at the same time over one scratch
// key: orvel_zone_worker <key below HKCU> <address> <rounds> <event prefix>.
// Before round r it waits for the event "<prefix>-go-<r>", runs one whole
// check of the address, then sets "<prefix>-done-<r>-<address>". The exit
// code is the number of rounds whose check did not succeed.
#include <windows.h>

#include <string>

#include "check/check_site.h"
#include "tests/support/recording_view.h"
#include "tests/support/scratch_hive.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"
#include "win/win32_registry.h"

namespace {

constexpr DWORD kRoundTimeoutMs = 60000;
constexpr int kBadArguments = 1000;

class ScratchKey {
 public:
  explicit ScratchKey(const std::wstring& path) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;
  ~ScratchKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

orvel::UniqueHandle Event(const std::wstring& name) {
  return orvel::UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return kBadArguments;
  // Anything but a scratch key would be someone's real zone map.
  if (!std::wstring_view(argv[1]).starts_with(std::wstring(orvel::test::kScratchParent) + L"\\")) return kBadArguments;
  const ScratchKey root(argv[1]);
  const std::wstring address = argv[2];
  const int rounds = _wtoi(argv[3]);
  const std::wstring prefix = argv[4];
  if (root.get() == nullptr || rounds <= 0) return kBadArguments;

  orvel::Win32Registry registry(root.get());
  // No policies below the scratch key: the diagnosis finds nothing there.
  orvel::Win32Registry machine = orvel::Win32Registry::ReadOnly(root.get(), 0);
  int failed = 0;
  for (int round = 0; round < rounds; ++round) {
    const std::wstring name = prefix + L"-" + std::to_wstring(round);
    const orvel::UniqueHandle go = Event(name + L"-go");
    if (!go.valid() || WaitForSingleObject(go.get(), kRoundTimeoutMs) != WAIT_OBJECT_0) return kBadArguments;
    orvel::test::RecordingStore store;
    if (!orvel::test::CheckTyped(orvel::WideToUtf8(address), {.hives = {registry, machine}}, &store).Succeeded()) {
      ++failed;
    }
    const orvel::UniqueHandle done = Event(name + L"-done-" + address);
    SetEvent(done.get());
  }
  return failed;
}
