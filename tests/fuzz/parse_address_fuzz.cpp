// Any text as an address: the parser never crashes, gives nothing when it
// rejects the address, and otherwise gives the scheme the address begins
// with and a host cut out of the address whose kind follows its labels.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check/address.h"
#include "tests/fuzz/fuzz_require.h"
#include "text/ascii.h"
#include "text/trim.h"

namespace {

using orvel::IsDigits;

bool AllLabelsAreDigits(std::string_view host) {
  size_t start = 0;
  while (true) {
    const size_t dot = host.find('.', start);
    if (!IsDigits(host.substr(start, dot == std::string_view::npos ? dot : dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

bool HasEmptyLabel(std::string_view host) {
  return host.empty() || host.front() == '.' || host.back() == '.' || host.find("..") != std::string_view::npos;
}

// What a Chinese input method types for URL punctuation, U+FFFD, or the
// 3-byte form of a surrogate.
bool HasRefusedCharacter(std::string_view host) {
  for (std::string_view refused : {"\xE3\x80\x82", "\xEF\xBC\x8E", "\xEF\xBD\xA1", "\xEF\xBC\x9A", "\xEF\xBC\x8F",
                                   "\xEF\xBC\x9F", "\xEF\xBC\x83", "\xEF\xBC\xA0", "\xEF\xBC\xBC", "\xEF\xBF\xBD"}) {
    if (host.find(refused) != std::string_view::npos) return true;
  }
  for (size_t i = 0; i + 1 < host.size(); ++i) {
    if (host[i] == '\xED' && static_cast<unsigned char>(host[i + 1]) >= 0xA0) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view address(reinterpret_cast<const char*>(data), size);
  const orvel::SiteAddress parsed = orvel::ParseSiteAddress(address);
  const orvel::HostKind kind = parsed.site.kind;
  const std::string& host = parsed.site.host;

  const orvel::SiteAddress again = orvel::ParseSiteAddress(address);
  FUZZ_REQUIRE(again.site == parsed.site && again.scheme_typed == parsed.scheme_typed);
  const std::string trimmed = orvel::TrimBlanks(address);
  FUZZ_REQUIRE(orvel::TrimBlanks(trimmed) == trimmed);
  FUZZ_REQUIRE(!trimmed.starts_with(' ') && !trimmed.ends_with(' '));
  FUZZ_REQUIRE(!trimmed.starts_with("\xE3\x80\x80") && !trimmed.ends_with("\xE3\x80\x80"));

  if (kind == orvel::HostKind::kInvalid) {
    FUZZ_REQUIRE(host.empty() && !parsed.typed_scheme());
    return 0;
  }
  // http:// or https:// in any case, then no other "scheme://".
  FUZZ_REQUIRE(parsed.typed_scheme() == orvel::TypedScheme(address));
  if (parsed.typed_scheme()) {
    const std::string_view rest = address.substr(orvel::SchemePrefix(*parsed.typed_scheme()).size());
    FUZZ_REQUIRE(!orvel::TypedScheme(rest) && rest.find(host) != std::string_view::npos);
  }
  FUZZ_REQUIRE(kind == orvel::HostKind::kDomain || kind == orvel::HostKind::kNumeric);
  FUZZ_REQUIRE(!host.empty() && address.find(host) != std::string_view::npos);
  // Whatever ends a host, or cannot be in one, is not in it.
  FUZZ_REQUIRE(host.find_first_of(std::string_view("/:?#\\@ \t\r\n\0", 12)) == std::string::npos);
  FUZZ_REQUIRE(!HasRefusedCharacter(host));
  FUZZ_REQUIRE(!HasEmptyLabel(host));
  FUZZ_REQUIRE(host.find('*') == std::string::npos || (host.starts_with("*.") && host.rfind('*') == 0));
  FUZZ_REQUIRE((kind == orvel::HostKind::kNumeric) == AllLabelsAreDigits(host));
  return 0;
}
