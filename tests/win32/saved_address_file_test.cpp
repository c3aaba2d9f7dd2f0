#include "win/saved_address_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/temp_folder.h"
#include "tests/win32/code_page.h"
#include "win/win32_ansi_codec.h"

namespace orvel {
namespace {

class SavedAddressFileTest : public testing::Test {
 protected:
  std::wstring CaDat() const { return folder_.path() + L"\\ca.dat"; }
  SavedAddressFile File() const { return SavedAddressFile(CaDat(), codec_); }

  test::TempFolder folder_;
  Win32AnsiCodec codec_;
};

TEST_F(SavedAddressFileTest, SavesOneLineAndReadsItBack) {
  EXPECT_EQ(File().Save("  http://a.b.c:81/x  "), 0);
  EXPECT_EQ(test::ReadBytes(CaDat()), "  http://a.b.c:81/x  \r\n");
  EXPECT_EQ(File().Load(), "  http://a.b.c:81/x  ");
  EXPECT_EQ(test::FolderEntries(folder_.path()), std::vector<std::wstring>{L"ca.dat"});
}

TEST_F(SavedAddressFileTest, ReplacesAFileOfSeveralLines) {
  test::WriteBytes(CaDat(), "old.one\r\nold.two\r\n");
  EXPECT_EQ(File().Load(), "old.one");
  EXPECT_EQ(File().Save("new.one"), 0);
  EXPECT_EQ(test::ReadBytes(CaDat()), "new.one\r\n");
}

TEST_F(SavedAddressFileTest, MissingHiddenOrFolderReadsAsNoAddress) {
  EXPECT_EQ(File().Load(), "");
  test::WriteBytes(CaDat(), "hidden.site\r\n");
  SetFileAttributesW(CaDat().c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(File().Load(), "");
  SetFileAttributesW(CaDat().c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(CaDat().c_str());
  CreateDirectoryW(CaDat().c_str(), nullptr);
  EXPECT_EQ(File().Load(), "");
  EXPECT_NE(File().Save("a.b.c"), 0);
}

TEST_F(SavedAddressFileTest, OddFilesGiveTheirFirstLineOrNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {std::string("a.b\0c\r\n", 7), "a.b"},
      {"\xEF\xBB\xBF"
       "a.b.c\r\n",
       "a.b.c"},
      {std::string(1 << 20, 'x'), std::string(1 << 20, 'x')},
      {std::string((1 << 20) + 4096, 'x'), ""},
  };
  for (const auto& [bytes, line] : cases) {
    test::WriteBytes(CaDat(), bytes);
    EXPECT_EQ(File().Load(), line);
  }
}

TEST_F(SavedAddressFileTest, ChineseAddressIsGbkUnderCodePage936) {
  ORVEL_REQUIRE_CODE_PAGE(936);
  EXPECT_EQ(File().Save("http://中国.cn/登录"), 0);
  EXPECT_EQ(test::ReadBytes(CaDat()), "http://\xD6\xD0\xB9\xFA.cn/\xB5\xC7\xC2\xBC\r\n");
  EXPECT_EQ(File().Load(), "http://中国.cn/登录");
}

TEST_F(SavedAddressFileTest, PlainUtf8UnderCodePage65001) {
  ORVEL_REQUIRE_CODE_PAGE(65001);
  EXPECT_EQ(File().Save("http://中国.cn/登录"), 0);
  EXPECT_EQ(test::ReadBytes(CaDat()), "http://中国.cn/登录\r\n");
  EXPECT_EQ(File().Load(), "http://中国.cn/登录");
  // A file saved with the mark reads the same.
  test::WriteBytes(CaDat(), "\xEF\xBB\xBFhttp://\xC4\x80.com\r\n");
  EXPECT_EQ(File().Load(), "http://\xC4\x80.com");
}

TEST_F(SavedAddressFileTest, AnAddressTheCodePageLacksIsSavedAsUtf8) {
  EXPECT_EQ(File().Save("http://\xC4\x80.com"), 0);
  EXPECT_EQ(test::ReadBytes(CaDat()), "\xEF\xBB\xBFhttp://\xC4\x80.com\r\n");
  EXPECT_EQ(File().Load(), "http://\xC4\x80.com");
}

TEST_F(SavedAddressFileTest, FailedSaveLeavesTheOldFileWhole) {
  test::WriteBytes(CaDat(), "kept.site\r\n");
  SetFileAttributesW(CaDat().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(File().Save("new.site"), 0);
  SetFileAttributesW(CaDat().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(test::ReadBytes(CaDat()), "kept.site\r\n");
  EXPECT_EQ(test::FolderEntries(folder_.path()), std::vector<std::wstring>{L"ca.dat"});
}

}  // namespace
}  // namespace orvel
