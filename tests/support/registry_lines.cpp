#include "tests/support/registry_lines.h"

#include <algorithm>

#include "win/utf16_text.h"

namespace orvel::test {
namespace {

void Walk(HKEY key, const std::string& path, std::vector<std::string>& lines) {
  wchar_t name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD name_length = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, index, name, &name_length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    name_length = 16384;
    RegEnumValueW(key, index, name, &name_length, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (type == REG_SZ) {
      data = WideToUtf8(std::wstring_view(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t)));
    }
    std::string hex;
    for (unsigned char byte : data) {
      hex += "0123456789abcdef"[byte >> 4];
      hex += "0123456789abcdef"[byte & 15];
    }
    lines.push_back(path + "|" + WideToUtf8(std::wstring_view(name, name_length)) + "=" + std::to_string(type) + ":" +
                    hex);
  }
  for (DWORD index = 0;; ++index) {
    DWORD name_length = 256;
    if (RegEnumKeyExW(key, index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::string child_name = WideToUtf8(std::wstring_view(name, name_length));
    const std::string child_path = path.empty() ? child_name : path + "\\" + child_name;
    lines.push_back(child_path);
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, std::wstring(name, name_length).c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
      Walk(child, child_path, lines);
      RegCloseKey(child);
    }
  }
}

}  // namespace

std::vector<std::string> RegistryLines(HKEY key) {
  std::vector<std::string> lines;
  Walk(key, "", lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace orvel::test
