#include "win/utf16_text.h"

#include <optional>

#include "text/utf8.h"

namespace orvel {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsLeadSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrailSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t cp) {
  const auto byte = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (cp < 0x80) {
    byte(cp);
  } else if (cp < 0x800) {
    byte(0xC0 | (cp >> 6)), byte(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    byte(0xE0 | (cp >> 12)), byte(0x80 | ((cp >> 6) & 0x3F)), byte(0x80 | (cp & 0x3F));
  } else {
    byte(0xF0 | (cp >> 18)), byte(0x80 | ((cp >> 12) & 0x3F)), byte(0x80 | ((cp >> 6) & 0x3F)),
        byte(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const std::optional<char32_t> cp = NextCodePoint(utf8, pos);
    if (!cp) {
      wide.push_back(kReplacement);
    } else if (*cp >= 0x10000) {
      wide.push_back(static_cast<wchar_t>(0xD800 + ((*cp - 0x10000) >> 10)));
      wide.push_back(static_cast<wchar_t>(0xDC00 + ((*cp - 0x10000) & 0x3FF)));
    } else if (IsTrailSurrogate(*cp) && !wide.empty() && IsLeadSurrogate(wide.back())) {
      // Only a 3-byte form leaves a lead surrogate last. A pair spelt as two
      // 3-byte forms is not what WideToUtf8 writes for any text.
      wide.back() = kReplacement;
      wide.push_back(kReplacement);
    } else {
      wide.push_back(static_cast<wchar_t>(*cp));
    }
  }
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t cp = wide[i];
    if (IsLeadSurrogate(cp) && i + 1 < wide.size() && IsTrailSurrogate(wide[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[++i] - 0xDC00);
    }
    AppendUtf8(utf8, cp);
  }
  return utf8;
}

}  // namespace orvel
