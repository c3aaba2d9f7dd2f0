// orvel-helper.exe started beside odd ca.dat files: the window always opens,
// with the saved first line or an empty box, and the file is only read.
#include <gtest/gtest.h>

#include "tests/e2e/product.h"
#include "tests/e2e/window_title.h"
#include "tests/support/temp_folder.h"

namespace orvel::e2e {
namespace {

enum class Form { kFile, kHiddenFile, kFolder };

struct Case {
  const char* name;
  Form form;
  std::string bytes;
  std::wstring box;
};

// The bytes as the ANSI code page reads them, the way the box shows them.
std::wstring FromAnsi(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                      text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string EveryByteDown() {
  std::string bytes;
  for (int byte = 255; byte >= 0; --byte) bytes.push_back(static_cast<char>(byte));
  return bytes;
}

void Make(const Case& c, const std::wstring& ca_dat) {
  if (c.form == Form::kFolder) {
    ASSERT_TRUE(CreateDirectoryW(ca_dat.c_str(), nullptr));
    return;
  }
  test::WriteBytes(ca_dat, c.bytes);
  if (c.form == Form::kHiddenFile) {
    ASSERT_TRUE(SetFileAttributesW(ca_dat.c_str(), FILE_ATTRIBUTE_HIDDEN));
  }
}

TEST(StartupFiles, WindowOpensWithTheFirstLineOrAnEmptyBoxAndLeavesTheFileAlone) {
  const std::string binary = EveryByteDown();
  const Case cases[] = {
      {"empty", Form::kFile, "", L""},
      // 255 down to 14, then CR.
      {"binary", Form::kFile, binary, FromAnsi(binary.substr(0, 255 - 13))},
      {"10 MB in one line", Form::kFile, std::string(10 << 20, 'a'), L""},
      {"NUL in the first line", Form::kFile, std::string("a.b\0c\r\n", 7), L"a.b"},
      {"no line end", Form::kFile, "a.b.c", L"a.b.c"},
      {"blanks around the line", Form::kFile, " \t a.example.cn/x  \r\nb.example.cn\r\n", L" \t a.example.cn/x  "},
      {"UTF-8 with a byte-order mark", Form::kFile, "\xEF\xBB\xBF\xE9\x97\xA8\xE6\x88\xB7.example.cn\r\n",
       L"门户.example.cn"},
      {"hidden", Form::kHiddenFile, "hidden.example.cn\r\n", L""},
      {"a folder", Form::kFolder, "", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const test::TempFolder folder;
    const std::wstring ca_dat = folder.path() + L"\\ca.dat";
    Make(c, ca_dat);
    {
      Product product(folder.path());
      EXPECT_EQ(product.Caption(), kTitle);
      EXPECT_EQ(product.Address(), c.box);
      EXPECT_TRUE(product.ListLines().empty());
    }
    // Closed, and nothing written on the way out either.
    EXPECT_EQ(test::FolderEntries(folder.path()), (std::vector<std::wstring>{L"ca.dat", L"orvel-helper.exe"}));
    const DWORD attributes = GetFileAttributesW(ca_dat.c_str());
    if (c.form == Form::kFolder) {
      EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
      EXPECT_TRUE(test::FolderEntries(ca_dat).empty());
    } else {
      EXPECT_EQ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0, c.form == Form::kHiddenFile);
      EXPECT_TRUE(test::ReadBytes(ca_dat) == c.bytes) << "ca.dat changed";
    }
  }
}

}  // namespace
}  // namespace orvel::e2e
