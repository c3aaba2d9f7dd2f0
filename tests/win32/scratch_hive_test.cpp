#include "tests/support/scratch_hive.h"

#include <gtest/gtest.h>

#include <string>

#include "win/utf16_text.h"

namespace orvel::test {
namespace {

constexpr uint64_t kHour = 60ull * 60 * 10'000'000;

uint64_t Ticks(WORD year, WORD month, WORD day, WORD hour) {
  SYSTEMTIME utc{};
  utc.wYear = year;
  utc.wMonth = month;
  utc.wDay = day;
  utc.wHour = hour;
  FILETIME time;
  EXPECT_TRUE(SystemTimeToFileTime(&utc, &time));
  return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::wstring UnderParent(const std::wstring& name) { return std::wstring(kScratchParent) + L"\\" + name; }

bool Exists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST(ScratchHive, OnlyScratchKeysMadeMoreThanADayAgoAreStale) {
  const uint64_t now = Ticks(2026, 12, 7, 10);
  EXPECT_EQ(ScratchKeyName(now, 42, 3), L"20261207T100000Z-42-3");
  struct Row {
    std::wstring name;
    bool stale;
  };
  const Row rows[] = {
      {ScratchKeyName(now - 25 * kHour, 7, 1), true},
      {ScratchKeyName(Ticks(2025, 1, 1, 0), 7, 1), true},
      {ScratchKeyName(now - 23 * kHour, 7, 1), false},
      {ScratchKeyName(now, 7, 1), false},
      {ScratchKeyName(now + 48 * kHour, 7, 1), false},  // the clock was set back since
      {L"4242-123456789-1", false},                     // not a scratch key's name
      {L"20251207T100000Z", false},
      {L"20251207T100000Z:1-1", false},
      {L"2025120xT100000Z-1-1", false},
      {L"20251307T100000Z-1-1", false},  // no 13th month
      {L"", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsStaleScratchKey(row.name, now), row.stale) << WideToUtf8(row.name);
  }
}

TEST(ScratchHive, MakingOneSweepsAwayStaleScratchKeysOnly) {
  const uint64_t now = FileTimeNow();
  const std::wstring stale = UnderParent(ScratchKeyName(now - 48 * kHour, 1, 1));
  const std::wstring recent = UnderParent(ScratchKeyName(now - kHour, 1, 1));
  const std::wstring other = UnderParent(L"not-a-scratch-key");
  for (const std::wstring& path : {stale, recent, other}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (path + L"\\child").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  std::wstring own;
  {
    ScratchHive hive;
    own = hive.path();
    EXPECT_TRUE(Exists(own));
    EXPECT_FALSE(Exists(stale));
    EXPECT_TRUE(Exists(recent));
    EXPECT_TRUE(Exists(other));
    // Left behind by a crash, this one would go a day later.
    EXPECT_TRUE(IsStaleScratchKey(own.substr(kScratchParent.size() + 1), now + 25 * kHour));
  }
  EXPECT_FALSE(Exists(own));
  RegDeleteTreeW(HKEY_CURRENT_USER, recent.c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, other.c_str());
}

}  // namespace
}  // namespace orvel::test
