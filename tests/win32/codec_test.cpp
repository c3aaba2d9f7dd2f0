#include <windows.h>

#include <gtest/gtest.h>

#include "check/saved_address.h"
#include "tests/win32/code_page.h"
#include "win/win32_ansi_codec.h"

namespace orvel {
namespace {

TEST(AnsiCodec, AsciiIsOneByteACharacter) {
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.Encode("http://a.b.c:81/x"), "http://a.b.c:81/x");
  EXPECT_EQ(codec.Decode("http://a.b.c:81/x"), "http://a.b.c:81/x");
  EXPECT_EQ(codec.Encode(""), "");
}

TEST(AnsiCodec, ChineseIsGbkUnderCodePage936) {
  ORVEL_REQUIRE_CODE_PAGE_936();
  const Win32AnsiCodec codec;
  EXPECT_EQ(codec.Encode("中国.cn"), "\xD6\xD0\xB9\xFA.cn");
  EXPECT_EQ(codec.Decode("\xD6\xD0\xB9\xFA.cn"), "中国.cn");
  EXPECT_EQ(EncodeSavedAddress("http://中国.cn/", codec), "http://\xD6\xD0\xB9\xFA.cn/\r\n");
  // Not in GBK: Korean.
  EXPECT_EQ(codec.Encode("한국.kr"), std::nullopt);
}

TEST(AnsiCodec, CharactersTheCodePageLacksAreNeverApproximated) {
  const Win32AnsiCodec codec;
  // U+0100 has no place in the Western, Chinese or Japanese code pages; best
  // fit would turn it into "A".
  EXPECT_EQ(codec.Encode("\xC4\x80.com"), std::nullopt);
  EXPECT_EQ(EncodeSavedAddress("\xC4\x80.com", codec), "\xEF\xBB\xBF\xC4\x80.com\r\n");
}

}  // namespace
}  // namespace orvel
