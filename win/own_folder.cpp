#include "win/own_folder.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include "win/last_error.h"
#include "win/unique_any.h"

namespace orvel {
namespace {

// Owned by Administrators, not inherited from ProgramData: SYSTEM and
// Administrators full control, Users read and list.
constexpr wchar_t kFolderSddl[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";
constexpr wchar_t kTrustedInstaller[] = L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

}  // namespace

bool OwnedByTheSystem(const std::wstring& path) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                            &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueLocal<void> hold_descriptor(descriptor);
  if (owner == nullptr) return false;
  if (IsWellKnownSid(owner, WinLocalSystemSid) || IsWellKnownSid(owner, WinBuiltinAdministratorsSid)) return true;
  PSID installer = nullptr;
  if (!ConvertStringSidToSidW(kTrustedInstaller, &installer)) return false;
  const UniqueLocal<void> hold_installer(installer);
  return EqualSid(owner, installer) != FALSE;
}

int32_t PrepareOwnFolder(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kFolderSddl, SDDL_REVISION_1, &descriptor, nullptr)) {
    return LastErrorStatus();
  }
  const UniqueLocal<void> hold_descriptor(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  if (CreateDirectoryW(folder.c_str(), &attributes)) return ERROR_SUCCESS;
  if (const int32_t error = LastErrorStatus(); error != ERROR_ALREADY_EXISTS) return error;
  const DWORD kind = GetFileAttributesW(folder.c_str());
  if (kind == INVALID_FILE_ATTRIBUTES) return LastErrorStatus();
  const bool plain_folder = (kind & FILE_ATTRIBUTE_DIRECTORY) != 0 && (kind & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
  return plain_folder && OwnedByTheSystem(folder) ? ERROR_SUCCESS : ERROR_INVALID_OWNER;
}

}  // namespace orvel
