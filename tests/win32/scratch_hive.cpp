#include "tests/win32/scratch_hive.h"

#include <string>

#include "tests/win32/registry_lines.h"

namespace orvel::test {

ScratchHive::ScratchHive() {
  static int counter = 0;
  path_ = L"Software\\orvel-helper-tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter);
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
  registry_ = std::make_unique<Win32Registry>(root_);
}

ScratchHive::~ScratchHive() {
  registry_.reset();
  RegCloseKey(root_);
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

std::vector<std::string> ScratchHive::Dump() { return RegistryLines(root_); }

std::unique_ptr<TestHive> MakeTestHive() { return std::make_unique<ScratchHive>(); }

}  // namespace orvel::test
