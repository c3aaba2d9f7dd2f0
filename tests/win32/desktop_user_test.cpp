// The desktop user's hive, under Wine, where the program and the shell run
// as the one Wine user.
#include "win/desktop_user.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/scratch_hive.h"
#include "tests/support/test_hive.h"
#include "win/utf16_text.h"
#include "win/win32_registry.h"

namespace orvel {
namespace {

TEST(DesktopUserHive, HkeyUsersOfTheUsersSidIsWhatHkcuShows) {
  const std::string sid = ProcessUserSid(GetCurrentProcess());
  ASSERT_TRUE(sid.starts_with("S-1-5-")) << sid;
  std::printf("user %s (%s), shell user %s\n", sid.c_str(), AccountName(sid).c_str(), ShellUserSid().c_str());
  EXPECT_NE(AccountName(sid).find('\\'), std::string::npos);
  EXPECT_EQ(AccountName("S-1-5-21-1-2-3-4242"), "S-1-5-21-1-2-3-4242");  // no such account

  const UniqueKey hive = OpenUserHive(sid);
  ASSERT_TRUE(hive.valid());
  EXPECT_FALSE(OpenUserHive("S-1-5-21-1-2-3-4242").valid());
  Win32Registry through_users(hive.get());
  test::ScratchHive scratch;
  const std::string below = WideToUtf8(scratch.path()) + "\\probe";
  test::PutDword(through_users, below, "written through HKEY_USERS", 7);
  test::PutDword(scratch.registry(), "probe", "written through HKCU", 8);
  EXPECT_EQ(test::GetDword(scratch.registry(), "probe", "written through HKEY_USERS"), 7u);
  EXPECT_EQ(test::GetDword(through_users, below, "written through HKCU"), 8u);

  // One user here: the program writes its own HKEY_CURRENT_USER.
  EXPECT_FALSE(OpenDesktopUserHive().has_value());
}

}  // namespace
}  // namespace orvel
