// The console program's tests under Wine:
//   orvel_cli_tests --zone=<orvel-zone.exe> --recorder=<stand-in iexplore.exe>
//                   --planted=<planted urlmon.dll> [gtest flags]
// They write the current user's zone settings, so they run only where the
// tests may (a Wine prefix made for them by scripts/wine-prefix).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>

#include "tests/cli/zone_program.h"
#include "tests/support/test_prefix.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view argument = argv[i];
    for (auto [flag, path] : {std::pair{std::wstring_view(L"--zone="), &orvel::test::ZoneProgram()},
                              std::pair{std::wstring_view(L"--recorder="), &orvel::test::StandInBrowser()},
                              std::pair{std::wstring_view(L"--planted="), &orvel::test::PlantedDll()}}) {
      if (!argument.starts_with(flag)) continue;
      *path = argument.substr(flag.size());
      // A Linux path, as CMake gives it, is the same file on Wine's Z: drive.
      if (path->starts_with(L"/")) {
        std::replace(path->begin(), path->end(), L'/', L'\\');
        *path = L"Z:" + *path;
      }
    }
  }
  if (orvel::test::ZoneProgram().empty() || orvel::test::StandInBrowser().empty() ||
      orvel::test::PlantedDll().empty()) {
    fputws(L"usage: orvel_cli_tests --zone=<orvel-zone.exe> --recorder=<stand-in iexplore.exe> --planted=<dll>\n",
           stderr);
    return 2;
  }
  if (!orvel::test::MayChangeUserSettings("orvel_cli_tests")) return 2;
  return RUN_ALL_TESTS();
}
