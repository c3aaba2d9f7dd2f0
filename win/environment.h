#pragma once

#include <string>
#include <string_view>

#include "check/browser_launcher.h"

namespace orvel {

// The value of an environment variable of this process; empty when unset.
std::string EnvironmentValue(std::string_view name);

// The full path of this process's program; empty when Windows cannot say.
std::wstring ProgramPath();

// "ProgramFiles(x86)" and "ProgramFiles" as this process sees them now.
ProgramFilesFolders ProgramFilesFromEnvironment();

}  // namespace orvel
