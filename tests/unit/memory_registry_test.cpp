#include "tests/support/memory_registry.h"

#include <gtest/gtest.h>

#include "tests/support/test_hive.h"

namespace orvel {
namespace {

TEST(MemoryRegistry, KeysAndValuesIgnoreCaseAndKeepTheirSpelling) {
  MemoryRegistry registry;
  test::PutDword(registry, "Soft\\Key", "Value", 7);
  EXPECT_EQ(test::GetDword(registry, "SOFT\\key\\", "vALUE"), 7u);
  test::PutDword(registry, "soft\\KEY", "VALUE", 8);
  EXPECT_EQ(registry.Dump(), (std::vector<std::string>{"Soft", "Soft\\Key", "Soft\\Key|Value=4:08000000"}));
}

TEST(MemoryRegistry, OpenNeverCreatesAndCreateTellsWhetherItDid) {
  MemoryRegistry registry;
  KeyHandle key = 0;
  EXPECT_EQ(registry.OpenKey("a\\b", key), status::kFileNotFound);
  bool created = false;
  ASSERT_EQ(registry.CreateKey("a\\b", key, created), status::kSuccess);
  EXPECT_TRUE(created);
  EXPECT_EQ(registry.CloseKey(key), status::kSuccess);
  ASSERT_EQ(registry.CreateKey("A\\B\\", key, created), status::kSuccess);
  EXPECT_FALSE(created);
  EXPECT_EQ(registry.CloseKey(key), status::kSuccess);
  EXPECT_EQ(registry.OpenKey("a\\\\b", key), status::kInvalidParameter);
  EXPECT_EQ(registry.CloseKey(key), status::kInvalidHandle);
}

TEST(MemoryRegistry, QueryAndEnumHonourTheCallersBuffer) {
  MemoryRegistry registry;
  test::PutString(registry, "k", "v", "abc");
  test::PutKey(registry, "k\\" + std::string(254, 'n'));
  test::PutKey(registry, "k\\" + std::string(255, 'z'));
  RegistryKey key(registry);
  ASSERT_EQ(key.Open("k"), status::kSuccess);
  std::string data = "untouched";
  EXPECT_EQ(key.Query("v", 3, data), status::kMoreData);
  EXPECT_EQ(data, "untouched");
  EXPECT_EQ(key.Query("v", 4, data), status::kSuccess);
  EXPECT_EQ(data, std::string("abc", 4));
  EXPECT_EQ(key.Query("missing", 4, data), status::kFileNotFound);
  std::string name;
  EXPECT_EQ(key.EnumKey(0, 255, name), status::kSuccess);
  EXPECT_EQ(name.size(), 254u);
  EXPECT_EQ(key.EnumKey(1, 255, name), status::kMoreData);
  EXPECT_EQ(key.EnumKey(2, 255, name), status::kNoMoreItems);
}

TEST(MemoryRegistry, NamesAreMeasuredInUtf16UnitsAsTheRegistryDoes) {
  MemoryRegistry registry;
  std::string chinese;
  for (int i = 0; i < 255; ++i) chinese += "中";  // 765 bytes, 255 units
  KeyHandle key = 0;
  bool created = false;
  ASSERT_EQ(registry.CreateKey(chinese, key, created), status::kSuccess);
  registry.CloseKey(key);
  EXPECT_EQ(registry.CreateKey(chinese + "a", key, created), status::kInvalidParameter);
  RegistryKey root(registry);
  ASSERT_EQ(root.Open(""), status::kSuccess);
  std::string name;
  EXPECT_EQ(root.EnumKey(0, 256, name), status::kSuccess);
  EXPECT_EQ(name, chinese);
  EXPECT_EQ(root.EnumKey(0, 255, name), status::kMoreData);
  std::string emoji;
  for (int i = 0; i < 128; ++i) emoji += "ð";  // 256 units
  EXPECT_EQ(registry.CreateKey(emoji, key, created), status::kInvalidParameter);
}

}  // namespace
}  // namespace orvel
