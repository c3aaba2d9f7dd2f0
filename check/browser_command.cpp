#include "check/browser_command.h"

#include "check/address.h"

namespace orvel {

std::string LoginUrl(std::string_view address) {
  return HasHttpPrefix(address) ? std::string(address) : std::string(kHttpPrefix).append(address);
}

std::string BrowserFolder(std::string_view program_files_x86, std::string_view program_files) {
  return std::string(program_files_x86.empty() ? program_files : program_files_x86);
}

std::string BrowserFile(std::string_view folder) {
  std::string file = "\"";
  file.append(folder).append("\\Internet Explorer\\iexplore.exe\"");
  return file;
}

}  // namespace orvel
