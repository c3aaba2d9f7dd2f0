#pragma once

#include <string>
#include <string_view>

namespace orvel::test {

// The file scripts/wine-prefix leaves in every prefix it makes for tests.
inline constexpr std::string_view kTestPrefixMarker = "orvel-test-prefix";
// Set to 1 to let a program that changes the current user's zone map run
// anywhere, on Windows too.
inline constexpr std::string_view kMayWriteHkcuVariable = "ORVEL_TESTS_MAY_WRITE_HKCU";

// Why this process must not change the current user's browser settings, or
// empty when it may: it runs under Wine in a prefix made for the tests, or
// the variable above is 1.
std::string ReasonNotToChangeUserSettings();

// For the programs that do change them: prints the reason as one line on
// stderr and returns false, or returns true.
bool MayChangeUserSettings(std::string_view program);

}  // namespace orvel::test
