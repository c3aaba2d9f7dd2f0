#pragma once

#include <functional>
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

// The Unix path Wine maps a Windows one to; empty outside Wine.
std::string UnixPath(const std::wstring& path);

// Under Wine, starts a Unix program (`command` names it by its Unix path)
// and, since Wine cannot wait for one, waits at most 10 s for `done` to see
// its work. False outside Wine or when `done` never does.
bool RunUnix(const std::string& command, const std::function<bool()>& done);

// Under Wine, a Unix symbolic link `link` to the folder `target`: what Wine
// shows for a junction or mount point. Removed with the object; made() is
// false where there is no Unix underneath.
class FolderLink {
 public:
  FolderLink(const std::wstring& link, const std::wstring& target);
  ~FolderLink();
  FolderLink(const FolderLink&) = delete;
  FolderLink& operator=(const FolderLink&) = delete;
  bool made() const { return made_; }

 private:
  std::wstring link_;
  bool made_ = false;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
// File and folder names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);
// Removes the folder with everything in it.
void RemoveTree(const std::wstring& folder);

}  // namespace orvel::test
