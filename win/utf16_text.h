#pragma once

#include <string>
#include <string_view>

namespace orvel {

// UTF-8 inside, UTF-16 at Win32 calls. Ill-formed input becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace orvel
