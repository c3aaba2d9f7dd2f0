#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

// The system's ANSI code page, the encoding of the saved-address file.
class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  // The text in the code page, or nullopt when it cannot hold every character.
  virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;
  virtual std::string Decode(std::string_view ansi) const = 0;
};

}  // namespace orvel
