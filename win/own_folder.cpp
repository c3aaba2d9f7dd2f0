#include "win/own_folder.h"

#include <windows.h>

#include <aclapi.h>
#include <ntsecapi.h>
#include <sddl.h>
#include <winternl.h>

#include <array>
#include <cstddef>
#include <optional>
#include <tuple>
#include <vector>

#include "check/folder_trust.h"
#include "win/last_error.h"
#include "win/system_library.h"
#include "win/whole_file.h"

namespace orvel {
namespace {

static_assert(kFolderHeldForChange.access == (FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | READ_CONTROL |
                                              FILE_ADD_FILE | WRITE_DAC | SYNCHRONIZE));
static_assert(kFolderHeldForChange.share == (FILE_SHARE_READ | FILE_SHARE_WRITE));
static_assert(kRenameTargetFolderOpen.access == (FILE_WRITE_DATA | SYNCHRONIZE));

// Owned by Administrators, not inherited from ProgramData: SYSTEM and
// Administrators full control, Users read and list.
constexpr wchar_t kFolderSddl[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";
constexpr wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

// Files in the folder are reached relative to its handle, which only the
// native calls allow; ntdll is in every process.
struct NativeFiles {
  decltype(&::NtCreateFile) create = LoadSystemFunction<decltype(&::NtCreateFile)>(L"ntdll.dll", "NtCreateFile");
  decltype(&::NtSetInformationFile) set_information =
      LoadSystemFunction<decltype(&::NtSetInformationFile)>(L"ntdll.dll", "NtSetInformationFile");
  decltype(&::RtlNtStatusToDosError) to_win32 =
      LoadSystemFunction<decltype(&::RtlNtStatusToDosError)>(L"ntdll.dll", "RtlNtStatusToDosError");

  bool loaded() const { return create != nullptr && set_information != nullptr && to_win32 != nullptr; }
  int32_t Status(NTSTATUS status) const { return NT_SUCCESS(status) ? ERROR_SUCCESS : to_win32(status); }
};

const NativeFiles& Native() {
  static const NativeFiles native;
  return native;
}

// Opens `name` in `folder`; a link is opened itself, never followed.
int32_t OpenInFolder(HANDLE folder, std::wstring_view name, ACCESS_MASK access, ULONG share, ULONG disposition,
                     UniqueHandle& file) {
  const NativeFiles& native = Native();
  if (!native.loaded()) return ERROR_PROC_NOT_FOUND;
  UNICODE_STRING unicode_name{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                              static_cast<USHORT>(name.size() * sizeof(wchar_t)), const_cast<wchar_t*>(name.data())};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &unicode_name, OBJ_CASE_INSENSITIVE, folder, nullptr);
  IO_STATUS_BLOCK io{};
  HANDLE opened = nullptr;
  const NTSTATUS status =
      native.create(&opened, access | SYNCHRONIZE, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, share, disposition,
                    FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, nullptr, 0);
  if (NT_SUCCESS(status)) file.reset(opened);
  return native.Status(status);
}

int32_t SetInformation(HANDLE file, void* information, ULONG size, FILE_INFORMATION_CLASS kind) {
  const NativeFiles& native = Native();
  IO_STATUS_BLOCK io{};
  return native.loaded() ? native.Status(native.set_information(file, &io, information, size, kind))
                         : ERROR_PROC_NOT_FOUND;
}

int32_t MarkForDeletion(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetInformation(file, &disposition, sizeof disposition, FileDispositionInformation);
}

// Moves the open file to `name` in `folder`, over a file of that name.
int32_t MoveInFolder(HANDLE file, HANDLE folder, std::wstring_view name) {
  const size_t name_bytes = name.size() * sizeof(wchar_t);
  std::vector<unsigned char> buffer(offsetof(FILE_RENAME_INFO, FileName) + name_bytes);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = folder;
  rename->FileNameLength = static_cast<DWORD>(name_bytes);
  name.copy(rename->FileName, name.size());
  return SetInformation(file, buffer.data(), static_cast<ULONG>(buffer.size()), FileRenameInformation);
}

// The account a SID names, as the folder's rule weighs it.
class Accounts {
 public:
  Accounts() {
    ConvertStringSidToSidW(kTrustedInstaller, installer_.put());
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
      const UniqueHandle hold_token(token);
      DWORD size = 0;
      GetTokenInformation(token, TokenUser, nullptr, 0, &size);
      user_.resize(size);
      if (!GetTokenInformation(token, TokenUser, user_.data(), size, &size)) user_.clear();
    }
  }

  Account Of(PSID sid) const {
    if (sid == nullptr || !IsValidSid(sid)) return Account::kOther;
    if (IsWellKnownSid(sid, WinLocalSystemSid)) return Account::kSystem;
    if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) return Account::kAdministrators;
    if (installer_.valid() && EqualSid(sid, installer_.get())) return Account::kTrustedInstaller;
    if (!user_.empty() && EqualSid(sid, reinterpret_cast<const TOKEN_USER*>(user_.data())->User.Sid)) {
      return Account::kRunningAccount;
    }
    return Account::kOther;
  }

 private:
  UniqueLocal<void> installer_;
  std::vector<unsigned char> user_;
};

std::optional<std::vector<AccessEntry>> AccessEntries(const ACL* dacl, const Accounts& accounts) {
  if (dacl == nullptr) return std::nullopt;
  std::vector<AccessEntry> entries;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(const_cast<ACL*>(dacl), i, &ace)) return std::nullopt;
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    if (header->AceType == ACCESS_ALLOWED_ACE_TYPE || header->AceType == ACCESS_DENIED_ACE_TYPE) {
      const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
      entries.push_back(
          {accounts.Of(const_cast<DWORD*>(&entry->SidStart)), header->AceType == ACCESS_ALLOWED_ACE_TYPE, entry->Mask});
    } else if (header->AceType == ACCESS_ALLOWED_COMPOUND_ACE_TYPE ||
               header->AceType == ACCESS_ALLOWED_OBJECT_ACE_TYPE ||
               header->AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE ||
               header->AceType == ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE) {
      // Other allow entries are not read: taken as letting anyone do anything.
      entries.push_back({Account::kOther, true, GENERIC_ALL});
    }
  }
  return entries;
}

// The owner and the allow and deny entries of the file or folder.
int32_t ReadSecurity(HANDLE handle, const Accounts& accounts, FolderFacts& facts) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (const DWORD result =
          GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                          nullptr, &dacl, nullptr, &descriptor);
      result != ERROR_SUCCESS) {
    return static_cast<int32_t>(result);
  }
  const UniqueLocal<void> hold_descriptor(descriptor);
  facts.owner = accounts.Of(owner);
  facts.access = AccessEntries(dacl, accounts);
  return ERROR_SUCCESS;
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// The tool's security descriptor for its folder; invalid when it cannot be made.
UniqueLocal<void> FolderDescriptor() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(kFolderSddl, SDDL_REVISION_1, &descriptor, nullptr);
  return UniqueLocal<void>(descriptor);
}

// The folder's own DACL only: SetSecurityInfo would carry it on to whatever
// someone put inside, which is not the tool's to change; the tool's files
// take it from the folder when they are made. The descriptor's "P" keeps
// ProgramData's entries from being inherited.
int32_t Protect(HANDLE folder) {
  const UniqueLocal<void> descriptor = FolderDescriptor();
  if (!descriptor.valid()) return LastErrorStatus();
  return SetKernelObjectSecurity(folder, DACL_SECURITY_INFORMATION, descriptor.get())
             ? ERROR_SUCCESS
             : LastErrorStatus();
}

int32_t MakeFolder(const std::wstring& path) {
  const UniqueLocal<void> descriptor = FolderDescriptor();
  if (!descriptor.valid()) return LastErrorStatus();
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
  if (CreateDirectoryW(path.c_str(), &attributes)) return ERROR_SUCCESS;
  const int32_t error = LastErrorStatus();
  return error == ERROR_ALREADY_EXISTS ? ERROR_SUCCESS : error;
}

// "ie-mode-sites.xml.<16 random hex digits>.tmp".
std::wstring TemporaryName(std::wstring_view name) {
  std::array<unsigned char, 8> random{};
  RtlGenRandom(random.data(), random.size());
  std::wstring temporary(name);
  temporary += L'.';
  for (const unsigned char byte : random) {
    temporary += L"0123456789abcdef"[byte >> 4];
    temporary += L"0123456789abcdef"[byte & 15];
  }
  return temporary + L".tmp";
}

}  // namespace

int32_t OwnFolder::Open(const std::wstring& path, Use use) {
  handle_.reset();
  if (use == Use::kWrite) {
    if (const int32_t made = MakeFolder(path); made != ERROR_SUCCESS) return made;
  }
  // Others may read alongside; while it is open for a change, nobody can
  // rename it or put something else in its place. The handle holds no DELETE:
  // Windows opens the folder itself for a rename into it, sharing only read
  // and write, and a DELETE held here would refuse that open.
  const bool change = use != Use::kRead;
  const DWORD access = change ? kFolderHeldForChange.access
                              : FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | READ_CONTROL | SYNCHRONIZE;
  const DWORD share = change ? kFolderHeldForChange.share : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  UniqueHandle folder(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!folder.valid()) {
    const int32_t error = LastErrorStatus();
    return error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : error;
  }
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(folder.get(), FileAttributeTagInfo, &tag, sizeof tag)) return LastErrorStatus();
  // The path is looked at again: a link some systems show only there.
  const DWORD path_attributes = GetFileAttributesW(path.c_str());
  FolderFacts facts;
  facts.link = IsLink(tag.FileAttributes) || path_attributes == INVALID_FILE_ATTRIBUTES || IsLink(path_attributes);
  facts.directory = (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const Accounts accounts;
  if (const int32_t read = ReadSecurity(folder.get(), accounts, facts); read != ERROR_SUCCESS) return read;
  const FolderVerdict verdict = JudgeFolder(facts);
  if (verdict == FolderVerdict::kProtect && change) {
    if (Protect(folder.get()) != ERROR_SUCCESS) return folder_status::kOpenToOthers;
  } else if (verdict != FolderVerdict::kTrusted) {
    return FolderVerdictStatus(verdict);
  }
  handle_ = std::move(folder);
  path_ = path;
  return ERROR_SUCCESS;
}

int32_t OwnFolder::Read(std::wstring_view name, size_t limit, std::string& bytes) const {
  UniqueHandle file;
  if (const int32_t opened = OpenInFolder(handle_.get(), name, GENERIC_READ | READ_CONTROL,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_OPEN, file);
      opened != ERROR_SUCCESS) {
    return opened == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : opened;
  }
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &tag, sizeof tag)) return LastErrorStatus();
  FolderFacts facts;
  facts.link = IsLink(tag.FileAttributes);
  if (const int32_t read = ReadSecurity(file.get(), Accounts(), facts); read != ERROR_SUCCESS) return read;
  // A file planted before the folder was the tool's, one others may change,
  // or a link is never believed; the same rule as the folder's.
  if (const FolderVerdict verdict = JudgeFolder(facts); verdict != FolderVerdict::kTrusted) {
    return FolderVerdictStatus(verdict);
  }
  return ReadFromHandle(file.get(), limit, bytes);
}

int32_t OwnFolder::Replace(std::wstring_view name, std::string_view bytes) const {
  // By path: the folder held open cannot be renamed or replaced meanwhile.
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = path_ + L"\\" + std::wstring(name) + L".*.tmp";
  if (const HANDLE search = FindFirstFileW(pattern.c_str(), &found); search != INVALID_HANDLE_VALUE) {
    do {
      std::ignore = Delete(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  UniqueHandle temporary;
  if (const int32_t created =
          OpenInFolder(handle_.get(), TemporaryName(name), GENERIC_WRITE | DELETE, 0, FILE_CREATE, temporary);
      created != ERROR_SUCCESS) {
    return created;
  }
  int32_t result = WriteToHandle(temporary.get(), bytes);
  if (result == ERROR_SUCCESS) result = MoveInFolder(temporary.get(), handle_.get(), name);
  if (result != ERROR_SUCCESS) MarkForDeletion(temporary.get());
  return result;
}

int32_t OwnFolder::Delete(std::wstring_view name) const {
  UniqueHandle file;
  const int32_t opened =
      OpenInFolder(handle_.get(), name, DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, FILE_OPEN, file);
  if (opened != ERROR_SUCCESS) return opened == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : opened;
  return MarkForDeletion(file.get());
}

void OwnFolder::DeleteIfEmpty() {
  BY_HANDLE_FILE_INFORMATION held{};
  if (!handle_.valid() || !GetFileInformationByHandle(handle_.get(), &held)) return;
  // The held handle does not share delete, so it is closed first; the folder
  // opened again goes only if it is the same one, not a link put in its place.
  handle_.reset();
  const UniqueHandle folder(CreateFileW(path_.c_str(), DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION reopened{};
  if (!folder.valid() || !GetFileInformationByHandle(folder.get(), &reopened)) return;
  const bool same = reopened.dwVolumeSerialNumber == held.dwVolumeSerialNumber &&
                    reopened.nFileIndexHigh == held.nFileIndexHigh && reopened.nFileIndexLow == held.nFileIndexLow;
  // Refused while anything is left in it; that is the point.
  if (same && !IsLink(reopened.dwFileAttributes)) MarkForDeletion(folder.get());
}

}  // namespace orvel
