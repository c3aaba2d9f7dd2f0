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

ProgramFilesFolders ProgramFilesFromEnvironment() {
  return ProgramFilesFolders{EnvironmentValue("ProgramFiles(x86)"), EnvironmentValue("ProgramFiles")};
}

}  // namespace orvel
