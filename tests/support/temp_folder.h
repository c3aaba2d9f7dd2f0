#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel::test {

// A new empty folder under %TEMP%, removed with its files afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
// File and folder names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// Removes the folder with everything in it.
void RemoveTree(const std::wstring& folder);

}  // namespace orvel::test
