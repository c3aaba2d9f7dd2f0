#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win/unique_any.h"

namespace orvel {

// The text form (S-1-5-...) of the SID of the user a process runs as; empty
// when it cannot be read.
std::string ProcessUserSid(HANDLE process);

// The user of the desktop's shell process; empty when no shell runs or its
// user cannot be read.
std::string ShellUserSid();

// DOMAIN\name of a SID, or the SID itself when no name is known for it.
std::string AccountName(const std::string& sid);

// HKEY_USERS\<sid> opened for reading and writing; empty when that user's
// hive is not loaded.
UniqueKey OpenUserHive(const std::string& sid);

struct DesktopUserHive {
  UniqueKey root;
  std::string account;  // DOMAIN\name
};

// The hive of the person at the desktop when the program runs as another
// user (elevated with an administrator's name and password) and that hive
// is loaded; nothing otherwise, and the program's own HKEY_CURRENT_USER
// stands.
std::optional<DesktopUserHive> OpenDesktopUserHive();

}  // namespace orvel
