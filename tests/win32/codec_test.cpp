#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/address.h"
#include "check/saved_address.h"
#include "tests/support/scratch_hive.h"
#include "tests/win32/code_page.h"
#include "win/utf16_text.h"
#include "win/win32_ansi_codec.h"
#include "zones/registry.h"
#include "zones/subkeys.h"

namespace orvel {
namespace {

const std::string kMark(kUtf8Bom);

TEST(AnsiCodec, EachCodePageSavesAndReadsBackEveryAddress) {
  struct Case {
    uint32_t code_page;
    std::string address;
    std::optional<std::string> ansi;  // nullopt: the code page cannot hold it
    std::string file;
  };
  const Case cases[] = {
      {1252, "http://a.b.c:81/x", "http://a.b.c:81/x", "http://a.b.c:81/x\r\n"},
      {1252, "caf\xC3\xA9.fr", "caf\xE9.fr", "caf\xE9.fr\r\n"},
      {1252, "中国.cn", std::nullopt, kMark + "中国.cn\r\n"},
      // U+0100 is in none of these code pages; best fit would make it "A".
      {1252, "\xC4\x80.com", std::nullopt, kMark + "\xC4\x80.com\r\n"},
      {936, "http://a.b.c:81/x", "http://a.b.c:81/x", "http://a.b.c:81/x\r\n"},
      {936, "http://中国.cn/", "http://\xD6\xD0\xB9\xFA.cn/", "http://\xD6\xD0\xB9\xFA.cn/\r\n"},
      {936, "한국.kr", std::nullopt, kMark + "한국.kr\r\n"},
      {936, "\xC4\x80.com", std::nullopt, kMark + "\xC4\x80.com\r\n"},
      // A UTF-8 system: the file is plain UTF-8, without the mark.
      {CP_UTF8, "http://a.b.c:81/x", "http://a.b.c:81/x", "http://a.b.c:81/x\r\n"},
      {CP_UTF8, "http://中国.cn/", "http://中国.cn/", "http://中国.cn/\r\n"},
      {CP_UTF8, "한국.kr/\xC4\x80", "한국.kr/\xC4\x80", "한국.kr/\xC4\x80\r\n"},
      {CP_UTF8, "", "", "\r\n"},
      // Text that begins like the mark keeps a mark of its own in front.
      {CP_UTF8, kMark + "a.b", kMark + "a.b", kMark + kMark + "a.b\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code_page << " " << c.address);
    const Win32AnsiCodec codec(c.code_page);
    EXPECT_EQ(codec.Encode(c.address), c.ansi);
    if (c.ansi) {
      EXPECT_EQ(codec.Decode(*c.ansi), c.address);
    }
    EXPECT_EQ(EncodeSavedAddress(c.address, codec), c.file);
    EXPECT_EQ(DecodeSavedAddress(c.file, codec), c.address);
  }
}

TEST(AnsiCodec, TheSystemCodePageByDefault) {
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.Encode("http://a.b.c:81/x"), "http://a.b.c:81/x");
  EXPECT_EQ(codec.Decode("http://a.b.c:81/x"), "http://a.b.c:81/x");
  EXPECT_EQ(codec.Encode(""), "");
}

TEST(AnsiCodec, ChineseIsGbkUnderCodePage936) {
  ORVEL_REQUIRE_CODE_PAGE(936);
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.Encode("中国.cn"), "\xD6\xD0\xB9\xFA.cn");
  EXPECT_EQ(codec.Decode("\xD6\xD0\xB9\xFA.cn"), "中国.cn");
  EXPECT_EQ(EncodeSavedAddress("http://中国.cn/", codec), "http://\xD6\xD0\xB9\xFA.cn/\r\n");
  EXPECT_EQ(codec.Encode("한국.kr"), std::nullopt);
}

TEST(AnsiCodec, PlainUtf8UnderCodePage65001) {
  ORVEL_REQUIRE_CODE_PAGE(65001);
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.Encode("中国.cn"), "中国.cn");
  EXPECT_EQ(codec.Decode("中国.cn"), "中国.cn");
  EXPECT_EQ(EncodeSavedAddress("http://a.b.c:81/x", codec), "http://a.b.c:81/x\r\n");
  EXPECT_EQ(EncodeSavedAddress("http://中国.cn/", codec), "http://中国.cn/\r\n");
}

TEST(Utf16Text, AnyUtf16ComesBackExactly) {
  struct Case {
    std::wstring wide;
    std::string utf8;
  };
  const Case cases[] = {
      {L"", ""},
      {L"http://中国.cn/", "http://中国.cn/"},
      {{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
      {{L'a', 0xD800, L'.', L'b'}, "a\xED\xA0\x80.b"},
      {{L'x', 0xDFFF}, "x\xED\xBF\xBF"},
      {{0xDE00, 0xD83D}, "\xED\xB8\x80\xED\xA0\xBD"},
      {{0xDBFF, 0xDBFF, 0xDFFF}, "\xED\xAF\xBF\xF4\x8F\xBF\xBF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
  }
}

TEST(Utf16Text, IllFormedUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  };
  const Case cases[] = {
      {"a\xFF", {L'a', 0xFFFD}},
      {"\xE4\xB8", {0xFFFD}},
      {"\xE4\xB8z", {0xFFFD, L'z'}},
      {"\xC0\xAF", {0xFFFD, 0xFFFD}},
      {"\xED\xA0\xBD\xED\xB8\x80", {0xFFFD, 0xFFFD}},  // a pair spelt as two 3-byte forms
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8.size();
}

// Registry names and text need not be well-formed UTF-16 either; such a key
// is listed under a name that opens it, and its text reads back as written.
TEST(Utf16Text, RegistryNamesAndTextThatAreNotUtf16ComeBack) {
  test::ScratchHive hive;
  const std::wstring name{L'k', 0xD800, L'y'};
  const std::string utf8 = "k\xED\xA0\x80y";
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExW(hive.root(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr), 0);
  RegCloseKey(raw);

  std::vector<std::string> names;
  ASSERT_EQ(EnumSubkeys(hive.registry(), "", names), 1u);
  EXPECT_EQ(names[0], utf8);
  Registry& registry = hive.registry();
  KeyHandle key = 0;
  ASSERT_EQ(registry.OpenKey(names[0], key), 0);
  EXPECT_EQ(registry.SetValue(key, utf8, ValueType::kString, utf8 + '\0'), 0);
  uint32_t type = 0;
  std::string data;
  EXPECT_EQ(registry.QueryValue(key, utf8, 64, type, data), 0);
  EXPECT_EQ(data, utf8 + '\0');
  registry.CloseKey(key);
  wchar_t raw_data[8] = {};
  DWORD size = sizeof(raw_data);
  EXPECT_EQ(RegGetValueW(hive.root(), name.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, raw_data, &size), 0);
  EXPECT_EQ(std::wstring(raw_data), name);
}

TEST(Utf16Text, AnUnpairedSurrogateInTheHostIsAnInvalidAddress) {
  struct Case {
    std::wstring typed;
    HostKind kind;
  };
  const Case cases[] = {
      {{L'a', 0xD800, L'.', L'b'}, HostKind::kInvalid},
      {{L'a', L'.', 0xDC00}, HostKind::kInvalid},
      {{L'a', L'.', L'b', L'/', 0xD800}, HostKind::kDomain},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseSiteAddress(WideToUtf8(c.typed)).site.kind, c.kind) << c.typed.size();
  }
}

}  // namespace
}  // namespace orvel
