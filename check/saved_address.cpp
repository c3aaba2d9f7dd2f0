#include "check/saved_address.h"

namespace orvel {

std::string EncodeSavedAddress(std::string_view address, const AnsiCodec& codec) {
  std::string bytes;
  auto ansi = codec.Encode(address);
  // ANSI bytes that begin like the mark would read back as UTF-8.
  if (ansi && !ansi->starts_with(kUtf8Bom)) {
    bytes = std::move(*ansi);
  } else {
    bytes.append(kUtf8Bom).append(address);
  }
  bytes.append("\r\n");
  return bytes;
}

std::string DecodeSavedAddress(std::string_view bytes, const AnsiCodec& codec) {
  const bool utf8 = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  if (utf8) bytes.remove_prefix(kUtf8Bom.size());
  const std::string_view line = bytes.substr(0, bytes.find_first_of(std::string_view("\r\n\0", 3)));
  return utf8 ? std::string(line) : codec.Decode(line);
}

}  // namespace orvel
