#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "check/ansi_codec.h"

namespace orvel {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The bytes of the saved-address file for an address: one line in the ANSI
// code page and CR LF, or, when the code page cannot hold the address (or its
// bytes there would begin like the mark), the same line in UTF-8 behind a
// byte-order mark.
std::string EncodeSavedAddress(std::string_view address, const AnsiCodec& codec);

// The first line of a saved-address file (up to CR, LF or NUL), in UTF-8.
std::string DecodeSavedAddress(std::string_view bytes, const AnsiCodec& codec);

// Where a successful check keeps the address, and start-up finds it again.
class AddressStore {
 public:
  virtual ~AddressStore() = default;
  // The saved address, or empty when there is none that can be read.
  virtual std::string Load() const = 0;
  // Replaces the saved address; 0 or the Win32 status of the failure, in
  // which case the previous file is left as it was.
  virtual int32_t Save(std::string_view address) = 0;
};

}  // namespace orvel
