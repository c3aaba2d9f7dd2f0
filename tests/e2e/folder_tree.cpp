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

void RemoveTree(const std::wstring& path) {
  for (const std::wstring& name : test::FolderEntries(path)) {
    const std::wstring entry = path + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(entry.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      RemoveTree(entry);
    } else {
      SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(entry.c_str());
    }
  }
  RemoveDirectoryW(path.c_str());
}

std::wstring ReadWideFile(const std::wstring& path) {
  const std::string bytes = test::ReadBytes(path);
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text;
}

}  // namespace orvel::e2e
