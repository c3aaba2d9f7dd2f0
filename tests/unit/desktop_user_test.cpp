#include "check/login_route.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(DesktopUser, WritesForTheDesktopUserOnlyWhenBothAreKnownAndDiffer) {
  struct Case {
    const char* program;
    const char* desktop;
    bool other;
  };
  const Case cases[] = {
      {"S-1-5-21-1-2-3-1001", "S-1-5-21-1-2-3-1001", false},
      {"S-1-5-21-1-2-3-500", "S-1-5-21-1-2-3-1001", true},
      {"S-1-5-21-1-2-3-1001", "S-1-5-21-1-2-3-10011", true},
      {"S-1-5-21-1-2-3-1001", "s-1-5-21-1-2-3-1001", false},
      {"S-1-5-21-1-2-3-500", "", false},  // no shell, or its user cannot be read
      {"", "S-1-5-21-1-2-3-1001", false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsOtherDesktopUser(c.program, c.desktop), c.other) << c.program << " / " << c.desktop;
  }
}

}  // namespace
}  // namespace orvel
