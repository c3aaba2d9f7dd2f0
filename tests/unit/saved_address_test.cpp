#include "check/saved_address.h"

#include <gtest/gtest.h>

#include "tests/support/latin1_codec.h"

namespace orvel {
namespace {

using test::Latin1Codec;

TEST(SavedAddress, EncodesOneAnsiLineOrUtf8WithAMark) {
  const Latin1Codec codec;
  EXPECT_EQ(EncodeSavedAddress("http://a.b.c:81/x", codec), "http://a.b.c:81/x\r\n");
  EXPECT_EQ(EncodeSavedAddress("caf\xC3\xA9.fr", codec), "caf\xE9.fr\r\n");
  EXPECT_EQ(EncodeSavedAddress("中国.cn", codec), "\xEF\xBB\xBF中国.cn\r\n");
  EXPECT_EQ(EncodeSavedAddress("", codec), "\r\n");
}

TEST(SavedAddress, ReadsTheFirstLineOfAnyFile) {
  const Latin1Codec codec;
  struct Case {
    std::string bytes, line;
  };
  const Case cases[] = {
      {"a.b.c\r\n", "a.b.c"},
      {"  a.b.c  \r\nsecond\r\n", "  a.b.c  "},
      {"a.b.c\nsecond", "a.b.c"},
      {"a.b.c\rsecond", "a.b.c"},
      {"a.b.c", "a.b.c"},
      {"", ""},
      {"\r\n", ""},
      {std::string("a.b\0c\r\n", 7), "a.b"},
      {"caf\xE9\r\n", "caf\xC3\xA9"},
      {"\xEF\xBB\xBF中国.cn\r\n", "中国.cn"},
      {"\xEF\xBB\xBF", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeSavedAddress(c.bytes, codec), c.line) << c.bytes;
}

TEST(SavedAddress, EveryAddressComesBackAsItWasSaved) {
  const Latin1Codec codec;
  for (const std::string address :
       {"a.b.c", "  spaced  ", "\tx", "caf\xC3\xA9", "中国.cn/路径", "\xC3\xAF\xC2\xBB\xC2\xBF"}) {
    EXPECT_EQ(DecodeSavedAddress(EncodeSavedAddress(address, codec), codec), address);
  }
}

}  // namespace
}  // namespace orvel
