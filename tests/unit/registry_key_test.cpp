#include <gtest/gtest.h>

#include <map>
#include <type_traits>

#include "zones/registry.h"

namespace orvel {
namespace {

static_assert(!std::is_copy_constructible_v<RegistryKey> && !std::is_copy_assignable_v<RegistryKey>);
static_assert(std::is_nothrow_move_constructible_v<RegistryKey> && std::is_nothrow_move_assignable_v<RegistryKey>);

// Every open hands out a new handle that remembers its path, which any value
// read gives back; paths beginning "missing" are not there.
class HandleRegistry final : public Registry {
 public:
  int32_t OpenKey(std::string_view path, KeyHandle& key) override {
    if (path.starts_with("missing")) return status::kFileNotFound;
    key = next_;
    open[next_++] = std::string(path);
    return status::kSuccess;
  }
  int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) override {
    created = true;
    return OpenKey(path, key);
  }
  int32_t SetValue(KeyHandle, std::string_view, ValueType, std::string_view) override { return status::kSuccess; }
  int32_t QueryValue(KeyHandle key, std::string_view, uint32_t, uint32_t&, std::string& data) override {
    if (!open.contains(key)) return status::kInvalidHandle;
    data = open[key];
    return status::kSuccess;
  }
  int32_t EnumKey(KeyHandle, uint32_t, uint32_t, std::string&) override { return status::kNoMoreItems; }
  int32_t EnumValue(KeyHandle, uint32_t, uint32_t, std::string&) override { return status::kNoMoreItems; }
  int32_t CloseKey(KeyHandle key) override { return open.erase(key) == 1 ? status::kSuccess : status::kInvalidHandle; }

  std::map<KeyHandle, std::string> open;

 private:
  KeyHandle next_ = 1;
};

std::string PathOf(RegistryKey& key) {
  std::string path;
  return key.Query("", 100, path) == status::kSuccess ? path : "<not open>";
}

TEST(RegistryKey, AFailedOpenOrCreateKeepsTheKeyThatWasOpen) {
  HandleRegistry registry;
  RegistryKey key(registry);
  ASSERT_EQ(key.Open("first"), status::kSuccess);
  EXPECT_EQ(key.Open("missing"), status::kFileNotFound);
  bool created = false;
  EXPECT_EQ(key.Create("missing\\too", &created), status::kFileNotFound);
  EXPECT_FALSE(created);
  EXPECT_EQ(PathOf(key), "first");

  ASSERT_EQ(key.Create("second", &created), status::kSuccess);
  EXPECT_TRUE(created);
  EXPECT_EQ(PathOf(key), "second");
  EXPECT_EQ(registry.open.size(), 1u);
}

TEST(RegistryKey, MovingHandsTheOneHandleOnAndClosesItOnce) {
  HandleRegistry registry;
  {
    RegistryKey first(registry);
    ASSERT_EQ(first.Open("first"), status::kSuccess);
    RegistryKey moved(std::move(first));
    // The moved-from state is part of the contract under test.
    EXPECT_FALSE(first.is_open());  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(PathOf(moved), "first");

    RegistryKey second(registry);
    ASSERT_EQ(second.Open("second"), status::kSuccess);
    moved = std::move(second);
    RegistryKey& same = moved;
    moved = std::move(same);
    EXPECT_FALSE(second.is_open());  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(PathOf(moved), "second");
    EXPECT_EQ(registry.open.size(), 1u);
  }
  EXPECT_TRUE(registry.open.empty());
}

}  // namespace
}  // namespace orvel
