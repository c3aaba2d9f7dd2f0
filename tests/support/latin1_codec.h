#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "check/ansi_codec.h"

namespace orvel::test {

// Latin-1 as a stand-in ANSI code page: one byte per character up to U+00FF.
// Its bytes 0xEF 0xBB 0xBF spell "ï»¿", which begin like the UTF-8 mark.
class Latin1Codec final : public AnsiCodec {
 public:
  std::optional<std::string> Encode(std::string_view utf8) const override {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
      const auto byte = static_cast<unsigned char>(utf8[i]);
      if (byte < 0x80) {
        out.push_back(static_cast<char>(byte));
      } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
        out.push_back(static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F)));
      } else {
        return std::nullopt;
      }
    }
    return out;
  }
  std::string Decode(std::string_view ansi) const override {
    std::string out;
    for (unsigned char byte : ansi) {
      if (byte < 0x80) {
        out.push_back(static_cast<char>(byte));
      } else {
        out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
        out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
      }
    }
    return out;
  }
};

}  // namespace orvel::test
