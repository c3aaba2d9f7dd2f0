// Any bytes as a saved-address file read back as one line without line
// ends; any well-formed one-line address comes back as it was saved.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check/saved_address.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/support/latin1_codec.h"

namespace {

bool IsWellFormedUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 1;
    char32_t cp = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, cp = lead & 0x07;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, cp = lead & 0x0F;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, cp = lead & 0x1F;
    } else if (lead >= 0x80) {
      return false;
    }
    if (i + length > text.size()) return false;
    for (size_t j = 1; j < length; ++j) {
      const auto next = static_cast<unsigned char>(text[i + j]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const orvel::test::Latin1Codec codec;

  const std::string line = orvel::DecodeSavedAddress(bytes, codec);
  FUZZ_REQUIRE(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);

  // The same bytes taken as an address the user typed.
  if (!IsWellFormedUtf8(bytes) || bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
    return 0;
  }
  const std::string file = orvel::EncodeSavedAddress(bytes, codec);
  FUZZ_REQUIRE(file.ends_with("\r\n"));
  FUZZ_REQUIRE(file.find_first_of("\r\n") == file.size() - 2);
  FUZZ_REQUIRE(orvel::DecodeSavedAddress(file, codec) == bytes);
  FUZZ_REQUIRE(orvel::DecodeSavedAddress(file + "second line\r\n", codec) == bytes);
  return 0;
}
