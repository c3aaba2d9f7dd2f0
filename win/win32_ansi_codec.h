#pragma once

#include "check/ansi_codec.h"

namespace orvel {

// The ANSI code page of this Windows.
class Win32AnsiCodec final : public AnsiCodec {
 public:
  std::optional<std::string> Encode(std::string_view utf8) const override;
  std::string Decode(std::string_view ansi) const override;
};

}  // namespace orvel
