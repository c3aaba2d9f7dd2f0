#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win/unique_any.h"

namespace orvel {

// The tool's machine-wide folder, %ProgramData%\ORVEL.
//
// It is opened without following links, and the open handle is checked: the
// folder must be a plain directory, owned by SYSTEM, Administrators,
// TrustedInstaller or the running account, and nobody else may change it.
// The files in it are opened, replaced and deleted relative to that handle,
// so a link someone puts in its place after the check is never followed.
// While the folder is open for a change, nobody else can rename or delete it.
class OwnFolder {
 public:
  enum class Use : uint8_t {
    kRead,
    // The folder is made when it is absent, with the tool's DACL.
    kWrite,
    // The folder is never made; it is opened to delete its file and itself.
    kRemove,
  };

  // Returns 0 when the folder is open, ERROR_FILE_NOT_FOUND when it is
  // absent (never for kWrite), or a status of check/folder_trust.h when it
  // is refused. A folder whose owner makes it the tool's, but that others may
  // change, is given the tool's DACL first, when the use changes the folder.
  int32_t Open(const std::wstring& path, Use use);

  // Reads the whole file `name`. ERROR_FILE_NOT_FOUND when it is absent; the
  // folder's statuses when the file is a link, is someone else's, or others
  // may change it.
  int32_t Read(std::wstring_view name, size_t limit, std::string& bytes) const;
  // Writes a new file under a name nobody can foretell, then moves it over
  // `name`, so a failed write leaves the old file whole. Such files left by
  // a run that ended halfway go first.
  int32_t Replace(std::wstring_view name, std::string_view bytes) const;
  // Deletes the file `name` itself (a link is deleted, never followed);
  // ERROR_FILE_NOT_FOUND when it is absent.
  int32_t Delete(std::wstring_view name) const;
  // Closes the folder and deletes it if it is empty and still the folder
  // that was opened.
  void DeleteIfEmpty();

 private:
  std::wstring path_;
  UniqueHandle handle_;
};

}  // namespace orvel
