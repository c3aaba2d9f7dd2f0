// What every Registry must do, held to the in-memory registry and, in the
// Windows build, to Win32Registry over a scratch key of the real one: the
// zone code's tests run over the first and the product over the second.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"
#ifdef _WIN32
#include "tests/support/scratch_hive.h"
#endif
#include "zones/registry.h"

namespace orvel {
namespace {

// ERROR_BAD_PATHNAME and ERROR_KEY_DELETED.
constexpr int32_t kBadPathname = 161;
constexpr int32_t kKeyDeleted = 1018;

// 255 UTF-16 units: the longest key name, in characters of 3 UTF-8 bytes and
// in 4-byte ones that take a surrogate pair each.
std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}
const std::string kLongChinese = Repeat("中", 255);
const std::string kLongEmoji = Repeat("\xF0\x9F\x98\x80", 127) + "a";

class RegistryContract : public testing::TestWithParam<test::HiveMaker> {
 protected:
  Registry& reg() { return hive_->registry(); }

  // Every subkey (or value) name of `path`, in enumeration order.
  std::vector<std::string> Names(std::string_view path, bool values) {
    RegistryKey key(reg());
    EXPECT_EQ(key.Open(path), status::kSuccess) << path;
    std::vector<std::string> names;
    std::string name;
    for (uint32_t i = 0; (values ? key.EnumValue(i, 300, name) : key.EnumKey(i, 300, name)) == status::kSuccess; ++i) {
      names.push_back(name);
    }
    return names;
  }

  std::unique_ptr<test::TestHive> hive_ = GetParam()();
};

TEST_P(RegistryContract, OpenNeverCreatesAndCreateMakesEveryMissingKeyOnThePath) {
  RegistryKey key(reg());
  EXPECT_EQ(key.Open("a\\b"), status::kFileNotFound);
  EXPECT_FALSE(key.is_open());
  EXPECT_EQ(hive_->Dump(), std::vector<std::string>{});
  const struct {
    std::string path;
    bool created;
  } rows[] = {{"a\\b\\c", true}, {"a\\b\\c", false}, {"A\\B\\", false}, {"a", false}, {"a\\d\\", true}};
  for (const auto& row : rows) {
    bool created = !row.created;
    ASSERT_EQ(key.Create(row.path, &created), status::kSuccess) << row.path;
    EXPECT_EQ(created, row.created) << row.path;
  }
  EXPECT_EQ(key.Open("a\\B\\\\c\\\\"), status::kSuccess);
  EXPECT_EQ(key.Open("\\a"), kBadPathname);
  EXPECT_EQ(key.Create("\\e"), kBadPathname);
  EXPECT_EQ(hive_->Dump(), (std::vector<std::string>{"a", "a\\b", "a\\b\\c", "a\\d"}));
}

TEST_P(RegistryContract, AFailedOpenOrCreateLeavesTheKeyAsItWas) {
  test::PutDword(reg(), "k", "v", 7);
  RegistryKey key(reg());
  ASSERT_EQ(key.Open("k"), status::kSuccess);
  EXPECT_EQ(key.Open("missing"), status::kFileNotFound);
  bool created = false;
  EXPECT_EQ(key.Create("k\\" + kLongChinese + "ab", &created), status::kInvalidParameter);
  EXPECT_FALSE(created);
  uint32_t value = 0;
  EXPECT_EQ(key.QueryDword("v", value), status::kSuccess);
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(hive_->Dump(), (std::vector<std::string>{"k", "k|v=4:07000000"}));
}

TEST_P(RegistryContract, KeysAndValuesIgnoreCaseAndKeepTheirSpelling) {
  test::PutDword(reg(), "Soft\\Key", "Value", 7);
  EXPECT_EQ(test::GetDword(reg(), "SOFT\\key\\", "vALUE"), 7u);
  test::PutDword(reg(), "soft\\KEY", "VALUE", 8);
  EXPECT_EQ(hive_->Dump(), (std::vector<std::string>{"Soft", "Soft\\Key", "Soft\\Key|Value=4:08000000"}));
}

TEST_P(RegistryContract, QueryHonoursTheCallersCapacityAndLeavesItsOutputOnFailure) {
  test::PutString(reg(), "k", "v", "abc");
  test::PutValue(reg(), "k", "b", ValueType::kBinary, std::string("\x01\0\x02", 3));
  RegistryKey key(reg());
  ASSERT_EQ(key.Open("k"), status::kSuccess);
  std::string data = "untouched";
  EXPECT_EQ(key.Query("v", 3, data), status::kMoreData);
  EXPECT_EQ(key.Query("b", 2, data), status::kMoreData);
  EXPECT_EQ(key.Query("missing", 4, data), status::kFileNotFound);
  EXPECT_EQ(data, "untouched");
  EXPECT_EQ(key.Query("v", 4, data), status::kSuccess);
  EXPECT_EQ(data, std::string("abc", 4));
  EXPECT_EQ(key.Query("b", 3, data), status::kSuccess);
  EXPECT_EQ(data, std::string("\x01\0\x02", 3));
}

TEST_P(RegistryContract, QueryDwordReadsOnlyAFourByteDword) {
  struct Row {
    ValueType type;
    std::string data;
    int32_t status;
    uint32_t value;  // 99: left untouched
  };
  const Row rows[] = {
      {ValueType::kDword, std::string("\x02\x01\0\0", 4), status::kSuccess, 258},
      {ValueType::kBinary, std::string("\x02\0\0\0", 4), status::kUnsupportedType, 99},
      {ValueType::kString, std::string("2\0", 2), status::kUnsupportedType, 99},
      {ValueType::kDword, "\x02", status::kUnsupportedType, 99},
      {ValueType::kDword, std::string(8, '\x02'), status::kMoreData, 99},
  };
  RegistryKey key(reg());
  ASSERT_EQ(key.Create("k"), status::kSuccess);
  for (const Row& row : rows) {
    ASSERT_EQ(key.SetValue("v", row.type, row.data), status::kSuccess);
    uint32_t value = 99;
    EXPECT_EQ(key.QueryDword("v", value), row.status) << row.data.size();
    EXPECT_EQ(value, row.value) << row.data.size();
  }
  uint32_t value = 99;
  EXPECT_EQ(key.QueryDword("missing", value), status::kFileNotFound);
  EXPECT_EQ(value, 99u);
  // A REG_QWORD round-trips whole; a DWORD is not one.
  ASSERT_EQ(key.SetQword("q", 0x0123456789ABCDEFu), status::kSuccess);
  EXPECT_EQ(key.ReadQword("q"), 0x0123456789ABCDEFu);
  EXPECT_EQ(key.ReadQword("v"), std::nullopt);
  EXPECT_EQ(key.ReadDword("q"), std::nullopt);
}

TEST_P(RegistryContract, QueryStringReadsTextTypesUpToTheFirstNul) {
  struct Row {
    ValueType type;
    std::string data;
    uint32_t capacity;
    int32_t status;
    std::string text;  // "untouched" on failure
  };
  const Row rows[] = {
      {ValueType::kString, std::string("text\0", 5), 5, status::kSuccess, "text"},
      {ValueType::kString, std::string("ab\0cd\0", 6), 6, status::kSuccess, "ab"},
      // Set without its NUL, a REG_SZ gets one.
      {ValueType::kString, "abc", 3, status::kMoreData, "untouched"},
      {ValueType::kString, "abc", 4, status::kSuccess, "abc"},
      // The capacity counts the UTF-8 bytes, as SetValue takes them.
      {ValueType::kString, "中文" + std::string(1, '\0'), 7, status::kSuccess, "中文"},
      {ValueType::kString, "中文" + std::string(1, '\0'), 6, status::kMoreData, "untouched"},
      {ValueType::kExpandString, "%TEMP%\\x", 9, status::kSuccess, "%TEMP%\\x"},
      {ValueType::kExpandString, "%TEMP%\\x", 8, status::kMoreData, "untouched"},
      {ValueType::kDword, DwordBytes(1), 64, status::kUnsupportedType, "untouched"},
      {ValueType::kBinary, std::string("a\0", 2), 64, status::kUnsupportedType, "untouched"},
  };
  RegistryKey key(reg());
  ASSERT_EQ(key.Create("k"), status::kSuccess);
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(row.type) << " " << row.data.size() << " " << row.capacity);
    ASSERT_EQ(key.SetValue("v", row.type, row.data), status::kSuccess);
    std::string text = "untouched";
    EXPECT_EQ(key.QueryString("v", row.capacity, text), row.status);
    EXPECT_EQ(text, row.text);
  }
  std::string text = "untouched";
  EXPECT_EQ(key.QueryString("missing", 64, text), status::kFileNotFound);
  EXPECT_EQ(text, "untouched");
}

// Sorted without case. No name here holds one of [\]^_` (between Z and a),
// which Wine sorts before the letters and Windows after.
TEST_P(RegistryContract, SubkeysEnumerateSortedAndValuesAllOnce) {
  for (const char* name : {"b", "2", "A", "c", "Z", "a1", "a-", "10"}) test::PutKey(reg(), std::string("k\\") + name);
  EXPECT_EQ(Names("k", false), (std::vector<std::string>{"10", "2", "A", "a-", "a1", "b", "c", "Z"}));
  for (const char* name : {"x", "Y", "w", ""}) test::PutDword(reg(), "k", name, 1);
  std::vector<std::string> values = Names("k", true);
  std::ranges::sort(values);
  EXPECT_EQ(values, (std::vector<std::string>{"", "Y", "w", "x"}));
}

TEST_P(RegistryContract, EnumerationMeasuresNamesInUtf16UnitsAgainstTheCapacity) {
  test::PutKey(reg(), "k\\" + std::string(254, 'n'));
  test::PutKey(reg(), "k\\" + kLongChinese);
  test::PutKey(reg(), "k\\" + kLongEmoji);
  test::PutDword(reg(), "k", "value", 1);
  RegistryKey key(reg());
  ASSERT_EQ(key.Open("k"), status::kSuccess);
  std::string name = "untouched";
  EXPECT_EQ(key.EnumKey(0, 255, name), status::kSuccess);
  EXPECT_EQ(name, std::string(254, 'n'));
  EXPECT_EQ(key.EnumKey(1, 255, name), status::kMoreData);
  EXPECT_EQ(key.EnumKey(2, 255, name), status::kMoreData);
  EXPECT_EQ(key.EnumKey(3, 256, name), status::kNoMoreItems);
  EXPECT_EQ(key.EnumValue(0, 5, name), status::kMoreData);
  EXPECT_EQ(key.EnumValue(1, 6, name), status::kNoMoreItems);
  EXPECT_EQ(name, std::string(254, 'n'));
  EXPECT_EQ(key.EnumValue(0, 6, name), status::kSuccess);
  EXPECT_EQ(name, "value");
  const std::vector<std::string> full = Names("k", false);
  EXPECT_EQ(full.size(), 3u);
  EXPECT_TRUE(std::ranges::find(full, kLongChinese) != full.end());
  EXPECT_TRUE(std::ranges::find(full, kLongEmoji) != full.end());

  // 257 units is a name no key can have (Wine still takes 256).
  for (const std::string& too_long : {kLongChinese + "ab", "\xF0\x9F\x98\x80" + kLongEmoji, std::string(257, 'n')}) {
    bool created = false;
    EXPECT_EQ(key.Create("k\\" + too_long, &created), status::kInvalidParameter) << too_long.size();
  }
}

TEST_P(RegistryContract, DeletingTakesAwayAKeyWithoutSubkeysOrAValue) {
  test::PutDword(reg(), "a\\b", "v", 1);
  test::PutDword(reg(), "a", "Keep", 2);
  test::PutDword(reg(), "a", "Drop", 3);
  EXPECT_EQ(reg().DeleteKey("a"), status::kAccessDenied);
  EXPECT_EQ(reg().DeleteKey("a\\missing"), status::kFileNotFound);
  EXPECT_EQ(reg().DeleteKey(""), status::kAccessDenied);
  RegistryKey deleted(reg());
  ASSERT_EQ(deleted.Open("a\\b"), status::kSuccess);
  EXPECT_EQ(reg().DeleteKey("A\\B\\"), status::kSuccess);
  EXPECT_FALSE(test::HasKey(reg(), "a\\b"));
  // A key still open when deleted answers no more.
  std::string data;
  EXPECT_EQ(deleted.Query("v", 4, data), kKeyDeleted);
  EXPECT_EQ(deleted.SetDword("w", 1), kKeyDeleted);
  EXPECT_EQ(deleted.EnumValue(0, 4, data), kKeyDeleted);
  RegistryKey key(reg());
  ASSERT_EQ(key.Open("a"), status::kSuccess);
  EXPECT_EQ(key.DeleteValue("dROP"), status::kSuccess);
  EXPECT_EQ(key.DeleteValue("Drop"), status::kFileNotFound);
  EXPECT_EQ(hive_->Dump(), (std::vector<std::string>{"a", "a|Keep=4:02000000"}));
}

INSTANTIATE_TEST_SUITE_P(InMemory, RegistryContract, testing::Values(&test::MakeMemoryHive),
                         [](const auto&) { return std::string("Registry"); });
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(ScratchKey, RegistryContract, testing::Values(&test::MakeScratchHive),
                         [](const auto&) { return std::string("Registry"); });
#endif

// The double's own answer to a handle closed twice, which a real registry
// may have handed out again by then.
TEST(MemoryRegistry, AClosedHandleIsRefused) {
  MemoryRegistry registry;
  KeyHandle key = 0;
  bool created = false;
  ASSERT_EQ(registry.CreateKey("a", key, created), status::kSuccess);
  EXPECT_EQ(registry.CloseKey(key), status::kSuccess);
  EXPECT_EQ(registry.CloseKey(key), status::kInvalidHandle);
}

}  // namespace
}  // namespace orvel
