#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "win/unique_any.h"

namespace orvel {
namespace {

int slots[3];
std::vector<int*> closed;
void RecordClose(int* handle) { closed.push_back(handle); }
using UniqueSlot = UniqueAny<int*, &RecordClose, -1>;

TEST(UniqueAny, ClosesEachHandleOnceWhereverItWasMoved) {
  closed.clear();
  {
    UniqueSlot a(&slots[0]);
    UniqueSlot b(std::move(a));
    EXPECT_FALSE(a.valid());
    EXPECT_EQ(b.get(), &slots[0]);

    UniqueSlot c(&slots[1]);
    c = std::move(b);  // slots[1] goes now
    EXPECT_EQ(closed, std::vector<int*>{&slots[1]});
    UniqueSlot& same = c;
    c = std::move(same);
    EXPECT_EQ(c.get(), &slots[0]);

    c.reset(&slots[2]);  // slots[0] goes now
    int* const released = c.release();
    EXPECT_EQ(released, &slots[2]);
    EXPECT_FALSE(c.valid());
  }
  EXPECT_EQ(closed, (std::vector<int*>{&slots[1], &slots[0]}));
}

TEST(UniqueAny, NullAndTheKindsInvalidValueAreNoHandle) {
  closed.clear();
  {
    const UniqueSlot none;
    const UniqueSlot null(nullptr);
    const UniqueSlot invalid(reinterpret_cast<int*>(intptr_t{-1}));
    EXPECT_FALSE(none.valid());
    EXPECT_FALSE(null.valid());
    EXPECT_FALSE(invalid.valid());
  }
  EXPECT_TRUE(closed.empty());
}

TEST(UniqueAny, ARealHandleIsClosedAtTheEndOfItsScope) {
  HANDLE raw = nullptr;
  {
    const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event.valid());
    raw = event.get();
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
  EXPECT_FALSE(UniqueHandle(INVALID_HANDLE_VALUE).valid());
}

}  // namespace
}  // namespace orvel
