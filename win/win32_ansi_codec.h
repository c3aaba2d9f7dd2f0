#pragma once

#include <cstdint>

#include "check/ansi_codec.h"

namespace orvel {

// An ANSI code page of Windows: the system's, or the one named.
class Win32AnsiCodec final : public AnsiCodec {
 public:
  Win32AnsiCodec();
  explicit Win32AnsiCodec(uint32_t code_page) : code_page_(code_page) {}

  std::optional<std::string> Encode(std::string_view utf8) const override;
  std::string Decode(std::string_view ansi) const override;

 private:
  uint32_t code_page_;
};

}  // namespace orvel
