#include "win/win32_ansi_codec.h"

#include <windows.h>

#include <climits>

#include "win/utf16_text.h"

namespace orvel {

std::optional<std::string> Win32AnsiCodec::Encode(std::string_view utf8) const {
  const std::wstring wide = Utf8ToWide(utf8);
  if (wide.empty()) return std::string();
  if (wide.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(wide.size());
  // No best-fit mapping: a character the code page lacks is a failure, not
  // a look-alike that would change the address.
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

std::string Win32AnsiCodec::Decode(std::string_view ansi) const {
  if (ansi.empty() || ansi.size() > INT_MAX) return {};
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
  return WideToUtf8(wide);
}

}  // namespace orvel
