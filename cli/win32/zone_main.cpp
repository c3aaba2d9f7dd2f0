// orvel-zone: the check of orvel-helper for administrators, as a console
// program with verbs, exit codes and JSON.
#include <string>
#include <vector>

#include "cli/win32/run.h"
#include "win/system_library.h"
#include "win/utf16_text.h"

int wmain(int argc, wchar_t** argv) {
  orvel::LoadDllsFromSystemOnly();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(orvel::WideToUtf8(argv[i]));
  return orvel::cli::Run(arguments);
}
