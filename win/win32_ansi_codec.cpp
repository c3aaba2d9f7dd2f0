#include "win/win32_ansi_codec.h"

#include <windows.h>

#include <climits>

#include "win/utf16_text.h"

namespace orvel {

Win32AnsiCodec::Win32AnsiCodec() : code_page_(GetACP()) {}

std::optional<std::string> Win32AnsiCodec::Encode(std::string_view utf8) const {
  // A system whose ANSI code page is UTF-8 holds every address as it is;
  // the conversion flags below are refused for that code page.
  if (code_page_ == CP_UTF8) return std::string(utf8);
  const std::wstring wide = Utf8ToWide(utf8);
  if (wide.empty()) return std::string();
  if (wide.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(wide.size());
  // No best-fit mapping: a character the code page lacks is a failure, not
  // a look-alike that would change the address.
  BOOL lossy = FALSE;
  const int length =
      WideCharToMultiByte(code_page_, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page_, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

std::string Win32AnsiCodec::Decode(std::string_view ansi) const {
  if (ansi.empty() || ansi.size() > INT_MAX) return {};
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(code_page_, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page_, 0, ansi.data(), size, wide.data(), length);
  return WideToUtf8(wide);
}

}  // namespace orvel
