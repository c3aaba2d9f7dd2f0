// The end-to-end driver: orvel_e2e_tests --product=<orvel-helper.exe>
// --recorder=<stand-in iexplore.exe> [--artifacts=<folder>] [gtest flags]
#include <gtest/gtest.h>

#include <string_view>

#include "tests/e2e/product.h"
#include "tests/support/test_prefix.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  orvel::e2e::Programs& programs = orvel::e2e::programs();
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view argument = argv[i];
    const auto value = [&](std::wstring_view flag) { return std::wstring(argument.substr(flag.size())); };
    if (argument.starts_with(L"--product=")) programs.product = value(L"--product=");
    if (argument.starts_with(L"--recorder=")) programs.recorder = value(L"--recorder=");
    if (argument.starts_with(L"--artifacts=")) programs.artifacts = orvel::e2e::WindowsPath(value(L"--artifacts="));
  }
  if (programs.product.empty() || programs.recorder.empty()) {
    fputws(L"usage: orvel_e2e_tests --product=<exe> --recorder=<exe> [--artifacts=<folder>]\n", stderr);
    return 2;
  }
  // The tests replace the current user's zone map.
  if (!orvel::test::MayChangeUserSettings("orvel_e2e_tests")) return 3;
  return RUN_ALL_TESTS();
}
