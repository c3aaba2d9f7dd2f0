#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The address as Internet Explorer is given it: unchanged when it already
// begins with "http://" in any letter case, else behind "http://".
std::string LoginUrl(std::string_view address);

// The program-files folder that holds Internet Explorer: the 32-bit one when
// the system has it, else the only one.
std::string BrowserFolder(std::string_view program_files_x86, std::string_view program_files);

// iexplore.exe in that folder, in double quotes.
std::string BrowserFile(std::string_view folder);

}  // namespace orvel
