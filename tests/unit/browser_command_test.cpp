#include "check/browser_command.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

struct UrlCase {
  std::string_view address;
  std::string_view url;
};

TEST(LoginUrl, KeepsAnHttpPrefixInAnyCaseAndAddsItOtherwise) {
  const UrlCase cases[] = {
      {"http://a.b.c/", "http://a.b.c/"},
      {"HTTP://a.b.c/", "HTTP://a.b.c/"},
      {"hTtP://10.1.2.3:81/x", "hTtP://10.1.2.3:81/x"},
      {"http://", "http://"},
      {"a.b.c", "http://a.b.c"},
      {"https://a.b.c", "http://https://a.b.c"},
      {"http:/a.b", "http://http:/a.b"},
      {"http:", "http://http:"},
      {"", "http://"},
      {" http://a.b", "http:// http://a.b"},
      {"a b.c/d e", "http://a b.c/d e"},
      {"ｈttp://a.b", "http://ｈttp://a.b"},
      {"网站.中国", "http://网站.中国"},
  };
  for (const UrlCase& c : cases) EXPECT_EQ(LoginUrl(c.address), c.url) << c.address;
}

TEST(BrowserFolder, PrefersThe32BitProgramFilesWhenSet) {
  EXPECT_EQ(BrowserFolder("C:\\Program Files (x86)", "C:\\Program Files"), "C:\\Program Files (x86)");
  EXPECT_EQ(BrowserFolder("", "C:\\Program Files"), "C:\\Program Files");
  EXPECT_EQ(BrowserFolder("", ""), "");
}

TEST(BrowserFile, QuotesIexploreInTheFolder) {
  EXPECT_EQ(BrowserFile("C:\\Program Files"), "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\"");
  EXPECT_EQ(BrowserFile(""), "\"\\Internet Explorer\\iexplore.exe\"");
}

}  // namespace
}  // namespace orvel
