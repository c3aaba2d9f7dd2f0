#include "check/address.h"

#include <charconv>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "text/ascii.h"
#include "text/trim.h"
#include "text/utf8.h"

namespace orvel {
namespace {

constexpr size_t kMaxHostLength = 253;

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "letters, digits, + - ." followed by "://": a scheme other than http and
// https, or a second one.
bool StartsWithScheme(std::string_view text) {
  const size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon == 0) return false;
  for (char c : text.substr(0, colon)) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

bool IsUnicodeSpace(char32_t cp) {
  return cp == 0x85 || cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 ||
         cp == 0x202F || cp == 0x205F || cp == 0x3000 || cp == 0xFEFF;
}

// The ideographic, full-width and half-width full stops, and : / ? # @ \ in
// full width: what Chinese input methods type in place of URL punctuation. A
// host holding one is not the site's.
constexpr char32_t kWideUrlPunctuation[] = {0x3002, 0xFF0E, 0xFF61, 0xFF1A, 0xFF0F, 0xFF1F, 0xFF03, 0xFF20, 0xFF3C};

// U+FFFD stands where a conversion lost a character; a surrogate is text
// that was never well-formed UTF-16.
bool IsHostCodePoint(char32_t cp) {
  if (cp < 0x80) {
    const char c = static_cast<char>(cp);
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-' || c == '_' || c == '.';
  }
  return !IsUnicodeSpace(cp) && !(cp >= 0x80 && cp < 0xA0) &&
         std::ranges::find(kWideUrlPunctuation, cp) == std::end(kWideUrlPunctuation) && !IsSurrogate(cp) &&
         cp != 0xFFFD;
}

// A host some site can have: non-empty, at most 253 characters, no empty
// label, only host characters, and "*" only as the whole first label.
bool IsPlausibleHost(std::string_view host) {
  const std::vector<std::string_view> labels = SplitLabels(host);
  if (labels.empty()) return false;
  size_t characters = 0;
  for (size_t i = 0; i < labels.size(); ++i) {
    const std::string_view label = labels[i];
    if (label.empty()) return false;
    if (i == 0 && label == "*" && labels.size() > 1) {
      ++characters;
      continue;
    }
    for (size_t pos = 0; pos < label.size();) {
      const auto cp = NextCodePoint(label, pos);
      if (!cp || !IsHostCodePoint(*cp)) return false;
      ++characters;
    }
  }
  characters += labels.size() - 1;
  return characters <= kMaxHostLength;
}

// What follows the authority, as browsers read it: the path ends at '?' or
// '#', a '\\' is a '/', and no path is "/".
std::string PathAfterAuthority(std::string_view rest) {
  std::string path(rest.substr(0, rest.find_first_of("?#")));
  std::ranges::replace(path, '\\', '/');
  return path.empty() ? std::string("/") : path;
}

}  // namespace

std::optional<Scheme> TypedScheme(std::string_view address) {
  for (const Scheme scheme : kSchemes) {
    if (StartsWithFolded(address, SchemePrefix(scheme))) return scheme;
  }
  return std::nullopt;
}

SiteAddress ParseSiteAddress(std::string_view address) {
  SiteAddress invalid;
  invalid.text = std::string(address);
  SiteAddress parsed = invalid;
  std::string_view rest = address;
  if (const std::optional<Scheme> typed = TypedScheme(rest)) {
    parsed.site.scheme = *typed;
    parsed.scheme_typed = true;
    rest.remove_prefix(SchemePrefix(*typed).size());
  }
  if (StartsWithScheme(rest)) return invalid;

  std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
  parsed.site.path = PathAfterAuthority(rest.substr(authority.size()));
  // A user name and password stand before the last "@"; the host follows it.
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  const size_t colon = authority.find(':');
  const std::string_view name = authority.substr(0, colon);
  if (!IsPlausibleHost(name)) return invalid;

  parsed.site.host = std::string(name);
  if (colon != std::string_view::npos) {
    const std::string_view port = authority.substr(colon + 1);
    uint32_t number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (error == std::errc() && end == port.data() + port.size() && number <= 0xFFFF) {
      parsed.site.port = static_cast<uint16_t>(number);
    }
  }
  parsed.site.kind = std::ranges::all_of(SplitLabels(name), IsDigits) ? HostKind::kNumeric : HostKind::kDomain;
  return parsed;
}

SiteAddress ReadSiteAddress(std::string_view typed) { return ParseSiteAddress(TrimBlanks(typed)); }

}  // namespace orvel
