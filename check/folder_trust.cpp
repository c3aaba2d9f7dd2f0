#include "check/folder_trust.h"

#include <algorithm>

namespace orvel {
namespace {

// Rights that create, change or delete something in a folder, or change the
// folder's own security: add file, add subfolder, write extended attributes,
// delete child, write attributes, delete, write DAC, write owner, and the
// generic all and write an inheritable entry may hold.
constexpr uint32_t kChangingRights =
    0x0002 | 0x0004 | 0x0010 | 0x0040 | 0x0100 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

constexpr uint32_t kReadData = 0x0001 | 0x0020;   // read data, execute
constexpr uint32_t kWriteData = 0x0002 | 0x0004;  // write data, append data
constexpr uint32_t kDelete = 0x00010000;
constexpr uint32_t kShareRead = 0x1;
constexpr uint32_t kShareWrite = 0x2;
constexpr uint32_t kShareDelete = 0x4;

// Whether `share` lets another handle have `access`.
bool Shares(uint32_t share, uint32_t access) {
  return ((access & kReadData) == 0 || (share & kShareRead) != 0) &&
         ((access & kWriteData) == 0 || (share & kShareWrite) != 0) &&
         ((access & kDelete) == 0 || (share & kShareDelete) != 0);
}

}  // namespace

bool SharingAllows(FileOpen held, FileOpen opening) {
  // A handle with none of these rights takes part in no sharing check.
  constexpr uint32_t kShared = kReadData | kWriteData | kDelete;
  if ((held.access & kShared) == 0 || (opening.access & kShared) == 0) return true;
  return Shares(held.share, opening.access) && Shares(opening.share, held.access);
}

FolderVerdict JudgeFolder(const FolderFacts& facts) {
  if (facts.link) return FolderVerdict::kLink;
  if (!facts.directory) return FolderVerdict::kNotAFolder;
  if (facts.owner == Account::kOther) return FolderVerdict::kForeignOwner;
  const bool open_to_others = !facts.access || std::ranges::any_of(*facts.access, [](const AccessEntry& entry) {
    return entry.allows && (entry.rights & kChangingRights) != 0 && entry.account == Account::kOther;
  });
  if (!open_to_others) return FolderVerdict::kTrusted;
  return facts.owner == Account::kTrustedInstaller ? FolderVerdict::kOpenToOthers : FolderVerdict::kProtect;
}

int32_t FolderVerdictStatus(FolderVerdict verdict) {
  switch (verdict) {
    case FolderVerdict::kTrusted:
      return 0;
    case FolderVerdict::kProtect:
    case FolderVerdict::kOpenToOthers:
      return folder_status::kOpenToOthers;
    case FolderVerdict::kNotAFolder:
      return folder_status::kNotAFolder;
    case FolderVerdict::kLink:
      return folder_status::kLink;
    case FolderVerdict::kForeignOwner:
      return folder_status::kForeignOwner;
  }
  return folder_status::kForeignOwner;
}

}  // namespace orvel
