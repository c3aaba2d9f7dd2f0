#include "tests/support/faulty_registry.h"

#include <gtest/gtest.h>

#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"

namespace orvel {
namespace {

class FaultyRegistryTest : public testing::Test {
 protected:
  FaultyRegistryTest() { test::PutKey(memory_, "k"); }

  MemoryRegistry memory_;
  FaultyRegistry registry_{memory_};
};

TEST_F(FaultyRegistryTest, FaultsHitExactlyTheNthCallOfTheirKind) {
  registry_.FailCall(RegistryCall::kOpenKey, 2, status::kAccessDenied);
  registry_.FailCall(RegistryCall::kOpenKey, 3, status::kNotSupported);
  KeyHandle key = 0;
  EXPECT_EQ(registry_.OpenKey("k", key), status::kSuccess);
  EXPECT_EQ(registry_.CloseKey(key), status::kSuccess);
  KeyHandle untouched = 0;
  EXPECT_EQ(registry_.OpenKey("k", untouched), status::kAccessDenied);
  EXPECT_EQ(untouched, 0u);
  EXPECT_EQ(registry_.OpenKey("k", key), status::kNotSupported);
  EXPECT_EQ(registry_.OpenKey("k", key), status::kSuccess);
  EXPECT_EQ(registry_.CallCount(RegistryCall::kOpenKey), 4);
  EXPECT_EQ(registry_.CallCount(RegistryCall::kCloseKey), 1);
  EXPECT_EQ(registry_.OpenHandleCount(), 1u);
}

TEST_F(FaultyRegistryTest, AFailedWriteReachesNothing) {
  RegistryKey key(registry_);
  ASSERT_EQ(key.Open("k"), status::kSuccess);
  const auto before = memory_.Dump();
  registry_.FailCall(RegistryCall::kSetValue, 1, status::kAccessDenied);
  EXPECT_EQ(key.SetDword("v", 1), status::kAccessDenied);
  EXPECT_EQ(memory_.Dump(), before);
  EXPECT_EQ(key.SetDword("v", 1), status::kSuccess);
  EXPECT_EQ(test::GetDword(memory_, "k", "v"), 1u);
}

TEST_F(FaultyRegistryTest, AFailingCloseStillReleasesTheKey) {
  registry_.FailCall(RegistryCall::kCloseKey, 1, status::kAccessDenied);
  KeyHandle key = 0;
  ASSERT_EQ(registry_.OpenKey("k", key), status::kSuccess);
  EXPECT_EQ(registry_.CloseKey(key), status::kAccessDenied);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
  EXPECT_EQ(memory_.CloseKey(key), status::kInvalidHandle) << "the inner registry still had it open";
}

TEST_F(FaultyRegistryTest, OnlyItsOwnOpenKeysAreCountedAndClosed) {
  KeyHandle missing = 0;
  EXPECT_EQ(registry_.OpenKey("absent", missing), status::kFileNotFound);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
  KeyHandle inner = 0;
  ASSERT_EQ(memory_.OpenKey("k", inner), status::kSuccess);
  EXPECT_EQ(registry_.CloseKey(inner), status::kInvalidHandle);
  EXPECT_EQ(memory_.CloseKey(inner), status::kSuccess);
}

}  // namespace
}  // namespace orvel
