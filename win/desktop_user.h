#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "win/unique_any.h"
#include "win/user_account.h"

namespace orvel {

// The process of the desktop's shell window; none with another shell, or
// none.
std::optional<uint32_t> ShellProcessId();

// The user of the desktop's shell process; empty when no shell runs or its
// user cannot be read.
std::string ShellUserSid();

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
