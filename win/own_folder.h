#pragma once

#include <cstdint>
#include <string>

namespace orvel {

// Makes the tool's machine-wide folder with a DACL of its own: SYSTEM and
// Administrators full control, Users read. An existing folder is used only
// when it is a plain folder (no link elsewhere) owned by SYSTEM,
// Administrators or TrustedInstaller: anything else a standard user could
// have planted. 0, or the Win32 status of the failure (ERROR_INVALID_OWNER
// for a folder refused).
int32_t PrepareOwnFolder(const std::wstring& folder);

// Whether the file or folder's owner is SYSTEM, Administrators or TrustedInstaller.
bool OwnedByTheSystem(const std::wstring& path);

}  // namespace orvel
