#include "win/environment.h"

#include <windows.h>

#include "win/utf16_text.h"

namespace orvel {

std::string EnvironmentValue(std::string_view name) {
  const std::wstring wide_name = Utf8ToWide(name);
  std::wstring value(256, L'\0');
  while (true) {
    const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return WideToUtf8(value);
    }
    value.resize(length);
  }
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

ProgramFilesFolders ProgramFilesFromEnvironment() {
  return ProgramFilesFolders{EnvironmentValue("ProgramFiles(x86)"), EnvironmentValue("ProgramFiles")};
}

}  // namespace orvel
