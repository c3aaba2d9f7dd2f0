#include "tests/support/test_prefix.h"

#include <windows.h>

#include <cstdio>

#include "win/environment.h"
#include "win/utf16_text.h"

namespace orvel::test {
namespace {

bool OnWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A Unix path as this process reaches it. Wine's own conversion follows the
// prefix's drive mappings; the Z: drive, which maps "/", is the fallback.
std::wstring DosPath(const std::string& unix_path) {
  using ToDos = WCHAR*(CDECL*)(LPCSTR);
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const auto to_dos =
      reinterpret_cast<ToDos>(reinterpret_cast<void*>(GetProcAddress(kernel32, "wine_get_dos_file_name")));
  if (to_dos != nullptr) {
    if (WCHAR* converted = to_dos(unix_path.c_str())) {
      std::wstring path(converted);
      HeapFree(GetProcessHeap(), 0, converted);
      return path;
    }
  }
  std::wstring path = L"Z:" + Utf8ToWide(unix_path);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

}  // namespace

std::string ReasonNotToChangeUserSettings() {
  if (EnvironmentValue(kMayWriteHkcuVariable) == "1") return {};
  const std::string hint = "; set " + std::string(kMayWriteHkcuVariable) + "=1 to run anyway";
  if (!OnWine()) return "not running under Wine, so this is a real user's registry" + hint;
  // Without WINEPREFIX, Wine uses ~/.wine: someone's own prefix.
  const std::string prefix = EnvironmentValue("WINEPREFIX");
  if (prefix.empty()) return "WINEPREFIX is not set, so this is the default Wine prefix" + hint;
  const std::string marker = prefix + "/" + std::string(kTestPrefixMarker);
  const DWORD attributes = GetFileAttributesW(DosPath(marker).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return "the Wine prefix " + prefix + " was not made by scripts/wine-prefix (no " + std::string(kTestPrefixMarker) +
           ")" + hint;
  }
  return {};
}

bool MayChangeUserSettings(std::string_view program) {
  const std::string reason = ReasonNotToChangeUserSettings();
  if (reason.empty()) return true;
  std::fprintf(stderr, "%.*s: refusing to change the current user's zone map: %s\n", static_cast<int>(program.size()),
               program.data(), reason.c_str());
  return false;
}

}  // namespace orvel::test
