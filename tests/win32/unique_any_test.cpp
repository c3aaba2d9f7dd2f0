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

TEST(UniqueAny, ClosesEachHandleOnceWhereverItWasMovedAndNeverNone) {
  closed.clear();
  {
    const UniqueSlot none;
    const UniqueSlot invalid(reinterpret_cast<int*>(intptr_t{-1}));
    UniqueSlot a(&slots[0]);
    UniqueSlot b(std::move(a));
    UniqueSlot c(&slots[1]);
    c = std::move(b);  // slots[1] goes now
    UniqueSlot& same = c;
    c = std::move(same);
    EXPECT_EQ(closed, std::vector<int*>{&slots[1]});
    EXPECT_FALSE(a.valid() || b.valid() || none.valid() || invalid.valid());
    EXPECT_EQ(c.get(), &slots[0]);

    c.reset(&slots[2]);  // slots[0] goes now
    EXPECT_EQ(c.release(), &slots[2]);
    EXPECT_FALSE(c.valid());
  }
  EXPECT_EQ(closed, (std::vector<int*>{&slots[1], &slots[0]}));
}

TEST(UniqueAny, ARealHandleIsClosedAtTheEndOfItsScope) {
  HANDLE raw = nullptr;
  DWORD flags = 0;
  {
    const UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event.valid());
    raw = event.get();
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
  }
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

}  // namespace
}  // namespace orvel
