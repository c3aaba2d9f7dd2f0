#include "text/utf8.h"

namespace orvel {

std::optional<char32_t> NextCodePoint(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  size_t length = 0;
  char32_t cp = 0;
  // The range of the byte after the lead shuts out overlong forms and code
  // points above U+10FFFF; later bytes are any continuation byte.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return std::nullopt;
  }
  for (size_t i = 1; i < length; ++i) {
    if (pos == text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[pos]);
    if (next < low || next > high) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
    low = 0x80, high = 0xBF;
    ++pos;
  }
  return cp;
}

}  // namespace orvel
