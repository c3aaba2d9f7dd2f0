#include "tests/support/scratch_hive.h"

#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/registry_lines.h"
#include "win/utf16_text.h"

namespace orvel::test {
namespace {

constexpr uint64_t kTicksPerDay = 24ull * 60 * 60 * 10'000'000;
// "20261207T102233Z": up to the second, which the counter makes unique.
constexpr size_t kStampLength = 16;

FILETIME ToFileTime(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

std::wstring Path(std::wstring_view name) { return std::wstring(kScratchParent) + L"\\" + std::wstring(name); }

// Deletes the scratch keys older than a day; keys in use are younger.
void SweepStaleKeys(uint64_t now) {
  HKEY parent = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(kScratchParent).c_str(), 0, KEY_READ, &parent) != ERROR_SUCCESS) {
    return;
  }
  std::vector<std::wstring> stale;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(parent, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (IsStaleScratchKey(std::wstring_view(name, length), now)) stale.emplace_back(name, length);
  }
  RegCloseKey(parent);
  for (const std::wstring& key : stale) RegDeleteTreeW(HKEY_CURRENT_USER, Path(key).c_str());
}

}  // namespace

uint64_t FileTimeNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

std::wstring ScratchKeyName(uint64_t now, uint32_t process, int counter) {
  const FILETIME time = ToFileTime(now);
  SYSTEMTIME utc{};
  FileTimeToSystemTime(&time, &utc);
  wchar_t stamp[kStampLength + 1];
  std::swprintf(stamp, std::size(stamp), L"%04u%02u%02uT%02u%02u%02uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                utc.wMinute, utc.wSecond);
  return std::wstring(stamp) + L"-" + std::to_wstring(process) + L"-" + std::to_wstring(counter);
}

bool IsStaleScratchKey(std::wstring_view name, uint64_t now) {
  if (name.size() <= kStampLength || name[8] != L'T' || name[15] != L'Z' || name[16] != L'-') return false;
  const auto number = [&](size_t at, size_t digits) -> int {
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
      if (name[i] < L'0' || name[i] > L'9') return -1;
      value = value * 10 + (name[i] - L'0');
    }
    return value;
  };
  const int fields[] = {number(0, 4), number(4, 2), number(6, 2), number(9, 2), number(11, 2), number(13, 2)};
  for (const int field : fields) {
    if (field < 0) return false;
  }
  SYSTEMTIME utc{};
  utc.wYear = static_cast<WORD>(fields[0]);
  utc.wMonth = static_cast<WORD>(fields[1]);
  utc.wDay = static_cast<WORD>(fields[2]);
  utc.wHour = static_cast<WORD>(fields[3]);
  utc.wMinute = static_cast<WORD>(fields[4]);
  utc.wSecond = static_cast<WORD>(fields[5]);
  FILETIME made;
  if (!SystemTimeToFileTime(&utc, &made)) return false;
  const uint64_t ticks = (uint64_t{made.dwHighDateTime} << 32) | made.dwLowDateTime;
  return ticks < now && now - ticks > kTicksPerDay;
}

ScratchHive::ScratchHive() {
  static int counter = 0;
  const uint64_t now = FileTimeNow();
  SweepStaleKeys(now);
  path_ = Path(ScratchKeyName(now, GetCurrentProcessId(), ++counter));
  DWORD disposition = 0;
  HKEY created = nullptr;
  const LSTATUS status =
      RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, &disposition);
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create the scratch key HKCU\\" + WideToUtf8(path_) + ": error " +
                             std::to_string(status));
  }
  root_.reset(created);
  // A key already there may be another run's; the tests need an empty one.
  if (disposition != REG_CREATED_NEW_KEY) {
    root_.reset();
    throw std::runtime_error("the scratch key HKCU\\" + WideToUtf8(path_) + " already exists");
  }
  registry_ = std::make_unique<Win32Registry>(root_.get());
}

ScratchHive::~ScratchHive() {
  registry_.reset();
  root_.reset();
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

std::vector<std::string> ScratchHive::Dump() { return RegistryLines(root_.get()); }

std::unique_ptr<TestHive> MakeScratchHive() { return std::make_unique<ScratchHive>(); }

}  // namespace orvel::test
