#pragma once

#include <string>
#include <string_view>

namespace orvel {

// UTF-8 inside, UTF-16 at Win32 calls. Text from a window or the registry
// need not be well-formed UTF-16: an unpaired surrogate travels through UTF-8
// as its 3-byte form (ED A0 80 .. ED BF BF), so such text comes back exactly,
// while whatever reads the UTF-8 for characters refuses it. Other ill-formed
// UTF-8, a surrogate pair spelt as two 3-byte forms included, becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace orvel
