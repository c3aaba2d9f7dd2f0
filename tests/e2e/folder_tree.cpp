#include "tests/e2e/folder_tree.h"

#include <windows.h>

#include <cstring>

#include "tests/support/temp_folder.h"

namespace orvel::e2e {

void MakeFolders(const std::wstring& path) {
  for (size_t end = path.find(L'\\', 3); end != std::wstring::npos; end = path.find(L'\\', end + 1)) {
    CreateDirectoryW(path.substr(0, end).c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring ReadWideFile(const std::wstring& path) {
  const std::string bytes = test::ReadBytes(path);
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text;
}

}  // namespace orvel::e2e
