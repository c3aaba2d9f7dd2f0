// The console program's tests under Wine:
//   orvel_cli_tests --zone=<orvel-zone.exe> --recorder=<stand-in iexplore.exe> [gtest flags]
// They write the current user's zone settings, so they run only inside a
// Wine prefix made for the tests by scripts/wine-prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "tests/cli/zone_program.h"

namespace {

// scripts/wine-prefix leaves this font replacement; no real profile has it.
bool InTestPrefix() {
  const auto wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  wchar_t font[64] = {};
  DWORD size = sizeof font;
  return wine != nullptr &&
         RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", L"宋体", RRF_RT_REG_SZ, nullptr, font,
                      &size) == ERROR_SUCCESS &&
         std::wstring_view(font) == L"WenQuanYi Zen Hei";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view argument = argv[i];
    for (auto [flag, path] : {std::pair{std::wstring_view(L"--zone="), &orvel::test::ZoneProgram()},
                              std::pair{std::wstring_view(L"--recorder="), &orvel::test::StandInBrowser()}}) {
      if (!argument.starts_with(flag)) continue;
      *path = argument.substr(flag.size());
      // A Linux path, as CMake gives it, is the same file on Wine's Z: drive.
      if (path->starts_with(L"/")) {
        std::replace(path->begin(), path->end(), L'/', L'\\');
        *path = L"Z:" + *path;
      }
    }
  }
  if (orvel::test::ZoneProgram().empty() || orvel::test::StandInBrowser().empty()) {
    fputws(L"usage: orvel_cli_tests --zone=<orvel-zone.exe> --recorder=<stand-in iexplore.exe>\n", stderr);
    return 2;
  }
  if (!InTestPrefix()) {
    fputws(L"orvel_cli_tests writes the user's zone settings: run it in a prefix made by scripts/wine-prefix\n",
           stderr);
    return 2;
  }
  return RUN_ALL_TESTS();
}
