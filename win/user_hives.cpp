#include "win/user_hives.h"

#include <windows.h>

#include "win/utf16_text.h"

namespace orvel {

std::vector<std::string> LoadedHiveNames() {
  std::vector<std::string> names;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(HKEY_USERS, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(WideToUtf8(std::wstring_view(name, length)));
  }
  return names;
}

}  // namespace orvel
