#include "app/browser_command.h"

#include <algorithm>

namespace orvel {
namespace {

constexpr std::string_view kHttp = "http://";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string LoginUrl(std::string_view address) {
  const bool prefixed =
      address.size() >= kHttp.size() && std::equal(kHttp.begin(), kHttp.end(), address.begin(),
                                                   [](char http, char typed) { return http == AsciiLower(typed); });
  return prefixed ? std::string(address) : std::string(kHttp) + std::string(address);
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
