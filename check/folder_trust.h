#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvel {

// Who an owner or an access entry names, as far as the tool's folder cares.
enum class Account : uint8_t {
  kSystem,
  kAdministrators,
  kTrustedInstaller,
  // The account the tool runs as: under SYSTEM that is SYSTEM, elevated that
  // is the administrator at the keyboard. Nobody else can own a folder as it.
  kRunningAccount,
  kOther,
};

struct AccessEntry {
  Account account = Account::kOther;
  bool allows = true;  // false for a deny entry
  uint32_t rights = 0;
};

// What the system says about the tool's folder, or a file in it, read on a
// handle to it.
struct FolderFacts {
  bool directory = true;
  // A reparse point (junction, mount point, symbolic link), on the handle or
  // on the path to it.
  bool link = false;
  Account owner = Account::kOther;
  // None for a null DACL, which lets everyone do everything.
  std::optional<std::vector<AccessEntry>> access = std::vector<AccessEntry>{};
};

enum class FolderVerdict : uint8_t {
  kTrusted,
  // The tool's by its owner, but others may create or change files in it:
  // usable once it has the tool's own DACL.
  kProtect,
  // Others may change it and its owner is not one the tool may take it over from.
  kOpenToOthers,
  kNotAFolder,
  kLink,
  kForeignOwner,
};

// A folder is the tool's when it is a plain directory, owned by SYSTEM,
// Administrators, TrustedInstaller or the running account, and nobody else
// may create, change or delete anything in it, or change it. Deny entries
// are not weighed: an allow entry alone makes a folder open.
FolderVerdict JudgeFolder(const FolderFacts& facts);

// The Win32 statuses of a folder or file refused, for reports.
namespace folder_status {
inline constexpr int32_t kNotAFolder = 267;     // ERROR_DIRECTORY
inline constexpr int32_t kForeignOwner = 1307;  // ERROR_INVALID_OWNER
inline constexpr int32_t kOpenToOthers = 1336;  // ERROR_INVALID_ACL: could not be protected
inline constexpr int32_t kLink = 4395;          // ERROR_REPARSE_POINT_ENCOUNTERED
}  // namespace folder_status

// 0 for a folder the tool may use as it is, else the status of the verdict.
int32_t FolderVerdictStatus(FolderVerdict verdict);

// A handle's access and share mode, as the file system weighs them when
// another handle to the same file or folder is opened.
struct FileOpen {
  uint32_t access = 0;
  uint32_t share = 0;
};

// Whether `opening` may be opened while `held` is open: each side's share
// mode must allow the other's read, write and delete access.
bool SharingAllows(FileOpen held, FileOpen opening);

// The folder while the list changes: list, traverse, read attributes and
// security, add a file, write the DACL; shared for reading and writing but
// not for delete, so nobody may rename or delete it meanwhile. It holds no
// DELETE itself: a rename into the folder needs the open below to succeed.
inline constexpr FileOpen kFolderHeldForChange{
    0x00000001 | 0x00000020 | 0x00000080 | 0x00020000 | 0x00000002 | 0x00040000 | 0x00100000, 0x1 | 0x2};
// The open of the target's folder that Windows makes itself before a rename
// (write data, synchronize; shared for reading and writing only).
inline constexpr FileOpen kRenameTargetFolderOpen{0x00000002 | 0x00100000, 0x1 | 0x2};

}  // namespace orvel
