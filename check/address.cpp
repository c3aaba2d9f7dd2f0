#include "check/address.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace orvel {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr size_t kMaxHostLength = 253;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "letters, digits, + - ." followed by "://": a scheme other than http.
bool StartsWithScheme(std::string_view text) {
  const size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon == 0) return false;
  for (char c : text.substr(0, colon)) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// Decodes one UTF-8 code point at `pos`, advancing it; nullopt for bytes
// that are not well-formed UTF-8.
std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + length > text.size()) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += length;
  return cp;
}

bool IsUnicodeSpace(char32_t cp) {
  return cp == 0x85 || cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 || cp == 0x2029 ||
         cp == 0x202F || cp == 0x205F || cp == 0x3000 || cp == 0xFEFF;
}

bool IsHostCodePoint(char32_t cp) {
  if (cp < 0x80) {
    const char c = static_cast<char>(cp);
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '-' || c == '_' || c == '.';
  }
  return !IsUnicodeSpace(cp) && !(cp >= 0x80 && cp < 0xA0);
}

bool IsNumericLabel(std::string_view label) {
  if (label.empty()) return false;
  for (char c : label) {
    if (!IsAsciiDigit(c)) return false;
  }
  return true;
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

}  // namespace

bool HasHttpPrefix(std::string_view address) {
  if (address.size() < kHttpPrefix.size()) return false;
  for (size_t i = 0; i < kHttpPrefix.size(); ++i) {
    if (AsciiLower(address[i]) != kHttpPrefix[i]) return false;
  }
  return true;
}

std::string TrimBlanks(std::string_view text) {
  while (true) {
    if (!text.empty() && text.front() == ' ') {
      text.remove_prefix(1);
    } else if (text.substr(0, kIdeographicSpace.size()) == kIdeographicSpace) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  while (true) {
    if (!text.empty() && text.back() == ' ') {
      text.remove_suffix(1);
    } else if (text.size() >= kIdeographicSpace.size() &&
               text.substr(text.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  return std::string(text);
}

HostKind ParseSiteAddress(std::string_view address, std::string& host) {
  std::string_view rest = address;
  if (HasHttpPrefix(rest)) rest.remove_prefix(kHttpPrefix.size());
  if (StartsWithScheme(rest)) return HostKind::kInvalid;

  std::string_view name = rest.substr(0, rest.find_first_of("/?#\\"));
  name = name.substr(0, name.find(':'));
  if (!IsPlausibleHost(name)) return HostKind::kInvalid;

  host = std::string(name);
  for (std::string_view label : SplitLabels(name)) {
    if (!IsNumericLabel(label)) return HostKind::kDomain;
  }
  return HostKind::kNumeric;
}

}  // namespace orvel
