#include "check/address.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/trim.h"
#include "text/utf8.h"

namespace orvel {
namespace {

struct ParseCase {
  std::string address;
  HostKind kind;
  std::string host;  // expected host when the kind is not kInvalid
  std::optional<Scheme> scheme = {};
  uint16_t port = 0;
  std::string path = "/";
};

// Test names and messages stay printable ASCII: other bytes are written as \xNN.
std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F) {
      out += ch;
    } else {
      out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return out;
}

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << Printable(c.address.substr(0, 40)) << '"'; }

class ParseSiteAddressTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSiteAddressTest, GivesSchemeHostAndKind) {
  const ParseCase& c = GetParam();
  const SiteAddress parsed = ParseSiteAddress(c.address);
  EXPECT_EQ(parsed.site.kind, c.kind) << c.address;
  EXPECT_EQ(parsed.site.host, c.host) << c.address;
  EXPECT_EQ(parsed.typed_scheme(), c.scheme) << c.address;
  EXPECT_EQ(parsed.site.port, c.port) << c.address;
  EXPECT_EQ(parsed.site.path, c.path) << c.address;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ParseSiteAddressTest,
    testing::Values(
        // As typed and as browsers read them.
        ParseCase{"http://10.1.2.3:81/app/x", HostKind::kNumeric, "10.1.2.3", Scheme::kHttp, 81, "/app/x"},
        ParseCase{"HTTP://A.b.C/x", HostKind::kDomain, "A.b.C", Scheme::kHttp, 0, "/x"},
        ParseCase{"hTtP://a.b.c", HostKind::kDomain, "a.b.c", Scheme::kHttp},
        ParseCase{"https://a.b.c/", HostKind::kDomain, "a.b.c", Scheme::kHttps},
        ParseCase{"HTTPS://10.1.1.9:8443/x", HostKind::kNumeric, "10.1.1.9", Scheme::kHttps, 8443, "/x"},
        ParseCase{"hTtPs://u:pw@a.b.c?x", HostKind::kDomain, "a.b.c", Scheme::kHttps},
        ParseCase{"10.1.2.3", HostKind::kNumeric, "10.1.2.3"}, ParseCase{"123", HostKind::kNumeric, "123"},
        ParseCase{"999.1", HostKind::kNumeric, "999.1"}, ParseCase{"1.2.3.4.5", HostKind::kNumeric, "1.2.3.4.5"},
        ParseCase{"a.b.c:81", HostKind::kDomain, "a.b.c", {}, 81},
        ParseCase{"a.b.c:65536/x", HostKind::kDomain, "a.b.c", {}, 0, "/x"},
        ParseCase{"a.b.c:8o/x", HostKind::kDomain, "a.b.c", {}, 0, "/x"},
        ParseCase{"a.b.c?x=1", HostKind::kDomain, "a.b.c"}, ParseCase{"a.b.c#top", HostKind::kDomain, "a.b.c"},
        ParseCase{"a.b.c\\x\\y", HostKind::kDomain, "a.b.c", {}, 0, "/x/y"},
        ParseCase{"localhost", HostKind::kDomain, "localhost"},
        ParseCase{"my_host-1.example.com/p?q#f", HostKind::kDomain, "my_host-1.example.com", {}, 0, "/p"},
        ParseCase{"a.b.c/p#f/g?h", HostKind::kDomain, "a.b.c", {}, 0, "/p"},
        ParseCase{"*.example.com", HostKind::kDomain, "*.example.com"},
        ParseCase{"1.2.3.x", HostKind::kDomain, "1.2.3.x"}, ParseCase{"１２３.com", HostKind::kDomain, "１２３.com"},
        ParseCase{"中国.cn/登录", HostKind::kDomain, "中国.cn", {}, 0, "/登录"},
        ParseCase{"a:b:c", HostKind::kDomain, "a"}, ParseCase{"中文.测试", HostKind::kDomain, "中文.测试"},
        ParseCase{"\xF0\xA0\x80\x80.cn", HostKind::kDomain, "\xF0\xA0\x80\x80.cn"},  // beyond U+FFFF
        ParseCase{std::string(253, 'a'), HostKind::kDomain, std::string(253, 'a')},
        // A user name and password are not the host.
        ParseCase{"http://user:pw@portal.example.cn/app", HostKind::kDomain, "portal.example.cn", Scheme::kHttp, 0,
                  "/app"},
        ParseCase{"user@a.b.c", HostKind::kDomain, "a.b.c"}, ParseCase{"@a.b.c", HostKind::kDomain, "a.b.c"},
        ParseCase{"a@b:c@d.e:81/x", HostKind::kDomain, "d.e", {}, 81, "/x"},
        ParseCase{"HTTP://u@10.1.2.3:81", HostKind::kNumeric, "10.1.2.3", Scheme::kHttp, 81},
        ParseCase{"a.b.c/x@y.z", HostKind::kDomain, "a.b.c", {}, 0, "/x@y.z"},
        ParseCase{"a.b.c?u=x@y.z", HostKind::kDomain, "a.b.c"},
        // Nothing any site can be reached at.
        ParseCase{"", HostKind::kInvalid, ""}, ParseCase{"http://", HostKind::kInvalid, ""},
        ParseCase{"/x", HostKind::kInvalid, ""}, ParseCase{":81", HostKind::kInvalid, ""},
        ParseCase{"?q", HostKind::kInvalid, ""}, ParseCase{"1..2", HostKind::kInvalid, ""},
        ParseCase{".a.b", HostKind::kInvalid, ""}, ParseCase{"1.2.3.4.", HostKind::kInvalid, ""},
        ParseCase{"a b.c", HostKind::kInvalid, ""}, ParseCase{"\ta.b.c", HostKind::kInvalid, ""},
        ParseCase{"a.b.c\t", HostKind::kInvalid, ""}, ParseCase{"a\x01.b", HostKind::kInvalid, ""},
        ParseCase{std::string("a\0b.c", 5), HostKind::kInvalid, ""},
        ParseCase{"a\xC2\xA0"
                  "b.c",
                  HostKind::kInvalid, ""},  // no-break space
        ParseCase{"a\xE3\x80\x80"
                  "b.c",
                  HostKind::kInvalid, ""},             // ideographic space inside
        ParseCase{"a\xFF.b", HostKind::kInvalid, ""},  // not UTF-8
        ParseCase{"a.b*", HostKind::kInvalid, ""}, ParseCase{"a.*.b", HostKind::kInvalid, ""},
        ParseCase{"*", HostKind::kInvalid, ""}, ParseCase{"[::1]:80", HostKind::kInvalid, ""},
        ParseCase{std::string(254, 'a'), HostKind::kInvalid, ""}, ParseCase{"http://user@/x", HostKind::kInvalid, ""},
        ParseCase{"user:pw@:81", HostKind::kInvalid, ""}, ParseCase{"a.b.c@", HostKind::kInvalid, ""},
        // URL punctuation as a Chinese input method types it.
        ParseCase{"http：／／portal。example。cn", HostKind::kInvalid, ""},
        ParseCase{"portal。example。cn", HostKind::kInvalid, ""},
        ParseCase{"portal．example．cn", HostKind::kInvalid, ""},
        ParseCase{"portal｡example｡cn", HostKind::kInvalid, ""}, ParseCase{"a.b.c：81", HostKind::kInvalid, ""},
        ParseCase{"a.b.c／x", HostKind::kInvalid, ""}, ParseCase{"user＠a.b.c", HostKind::kInvalid, ""},
        ParseCase{"a.b.c＼x", HostKind::kInvalid, ""}, ParseCase{"中文.测试。", HostKind::kInvalid, ""},
        // What a conversion left of text that was not well formed.
        ParseCase{"a\xEF\xBF\xBD.b", HostKind::kInvalid, ""},               // U+FFFD
        ParseCase{"a\xED\xA0\x80.b", HostKind::kInvalid, ""},               // unpaired lead surrogate
        ParseCase{"a.b\xED\xBF\xBF", HostKind::kInvalid, ""},               // unpaired trail surrogate
        ParseCase{"\xED\xA0\xBD\xED\xB8\x80.com", HostKind::kInvalid, ""},  // a pair in two pieces
        ParseCase{"\xC0\xAE.b", HostKind::kInvalid, ""},                    // overlong "."

        // Another scheme, or a second one, is not a host called "ftp".
        ParseCase{"ftp://a.b.c", HostKind::kInvalid, ""}, ParseCase{"FILE://a.b.c/x", HostKind::kInvalid, ""},
        ParseCase{"https://", HostKind::kInvalid, ""}, ParseCase{"httpss://a.b.c", HostKind::kInvalid, ""},
        ParseCase{"https://https://a.b.c", HostKind::kInvalid, ""},
        ParseCase{"https://ftp://a.b.c", HostKind::kInvalid, ""},
        ParseCase{"http://https://a.b.c", HostKind::kInvalid, ""},
        ParseCase{"svn+ssh://a.b.c", HostKind::kInvalid, ""}));

TEST(ParseSiteAddress, SurvivesHugeAddresses) {
  const std::string long_host(100000, '7');
  EXPECT_EQ(ParseSiteAddress(long_host).site.kind, HostKind::kInvalid);
  EXPECT_EQ(ParseSiteAddress("a.b.c/" + std::string(100000, 'x')).site.host, "a.b.c");
}

TEST(NextCodePoint, ReadsUtf8AndSurrogateFormsAndSkipsEachBadStretchOnce) {
  constexpr int32_t kBad = -1;
  struct Case {
    std::string text;
    std::vector<int32_t> read;
  };
  const Case cases[] = {
      {"a\xC2\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80", {'a', 0xA9, 0x4E2D, 0x1F600}},
      {"\xED\xA0\x80\xED\xBF\xBF", {0xD800, 0xDFFF}},
      {"\xE4\xB8", {kBad}},
      {"\xE4\xB8z", {kBad, 'z'}},
      {"\xF0\x9F\x98", {kBad}},
      {"\xC0\xAF", {kBad, kBad}},
      {"\xE0\x80\xAF", {kBad, kBad, kBad}},
      {"\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
      {"\x80\xFF", {kBad, kBad}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> read;
    for (size_t pos = 0; pos < c.text.size();) {
      const std::optional<char32_t> cp = NextCodePoint(c.text, pos);
      read.push_back(cp ? static_cast<int32_t>(*cp) : kBad);
    }
    EXPECT_EQ(read, c.read) << Printable(c.text);
  }
}

TEST(SplitHostName, SplitsOffTheFirstLabelOfThreeOrMore) {
  struct Case {
    std::string host, rest, first;
  };
  const Case cases[] = {
      {"a.b.c", "b.c", "a"}, {"x.a.b.c", "a.b.c", "x"}, {"a.b", "a.b", ""},  {"a", "a", ""},
      {"", "", ""},          {"a..b", ".b", "a"},       {".a.b", "a.b", ""},
  };
  for (const Case& c : cases) {
    const HostNameParts parts = SplitHostName(c.host);
    EXPECT_EQ(parts.rest, c.rest) << c.host;
    EXPECT_EQ(parts.first_label, c.first) << c.host;
  }
}

TEST(TrimAtNul, CutsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNul(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(TrimAtNul("abc"), "abc");
  EXPECT_EQ(TrimAtNul(std::string("\0abc", 4)), "");
  EXPECT_EQ(TrimAtNul(""), "");
}

TEST(TrimBlanks, RemovesBlanksAndIdeographicSpacesOnly) {
  EXPECT_EQ(TrimBlanks("  a.b.c  "), "a.b.c");
  EXPECT_EQ(TrimBlanks("\xE3\x80\x80 a.b.c \xE3\x80\x80"), "a.b.c");
  EXPECT_EQ(TrimBlanks("\ta.b.c\t"), "\ta.b.c\t");
  EXPECT_EQ(TrimBlanks(" a b "), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks("\xE3\x80"), "\xE3\x80");  // a cut-off character stays
}

}  // namespace
}  // namespace orvel
