#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win/unique_any.h"

namespace orvel {

inline constexpr std::string_view kLocalSystemSid = "S-1-5-18";

// The text form (S-1-5-...) of the SID of the user a process runs as; empty
// when it cannot be read.
std::string ProcessUserSid(HANDLE process);

// DOMAIN\name of a SID, or the SID itself when no name is known for it.
std::string AccountName(const std::string& sid);

// HKEY_USERS\<sid> opened for reading and writing; empty when that user's
// hive is not loaded.
UniqueKey OpenUserHive(const std::string& sid);

// The names of the hives loaded under HKEY_USERS, in enumeration order.
std::vector<std::string> LoadedHiveNames();

}  // namespace orvel
