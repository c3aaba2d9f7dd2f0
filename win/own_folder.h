#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win/unique_any.h"

namespace orvel {

// The tool's machine-wide folder, opened without following links and
// checked on that handle: a plain directory, owned by SYSTEM,
// Administrators, TrustedInstaller or the running account, that nobody else
// may change. Its files are opened, replaced and deleted relative to that
// handle, so a link put in its place after the check is never followed.
// While it is open for a change, nobody else can rename or delete the folder.
class OwnFolder {
 public:
  enum class Use : uint8_t {
    kRead,
    // Made when absent, with the tool's DACL.
    kWrite,
    // Never made; open for deleting its file and itself.
    kRemove,
  };

  // 0; ERROR_FILE_NOT_FOUND when absent (never for kWrite); a status of
  // check/folder_trust.h for a folder refused. A folder the tool's by
  // its owner that others may change gets the tool's DACL, when the use
  // changes it and the caller may.
  int32_t Open(const std::wstring& path, Use use);

  // The file `name`, whole; ERROR_FILE_NOT_FOUND when absent, and the
  // folder's statuses for a file that is a link, someone else's, or one
  // others may change.
  int32_t Read(std::wstring_view name, size_t limit, std::string& bytes) const;
  // Writes a new file under a name nobody can foretell and moves it over
  // `name`, so a failed write leaves the old file whole.
  int32_t Replace(std::wstring_view name, std::string_view bytes) const;
  // Deletes `name` itself, a link never followed; ERROR_FILE_NOT_FOUND when absent.
  int32_t Delete(std::wstring_view name) const;
  // Closes the folder and deletes it if it is empty and still the folder
  // that was opened.
  void DeleteIfEmpty();

 private:
  std::wstring path_;
  UniqueHandle handle_;
};

}  // namespace orvel
