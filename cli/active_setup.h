#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvel::cli {

// The tool's component among Windows' Active Setup components of the
// machine, read in the 64-bit view: at each logon Windows runs its command
// for a user whose own copy of the component is missing or older.
inline constexpr std::string_view kActiveSetupKey =
    "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\{BF1F21F0-A18C-4DB2-AEF7-F08CD14ED894}";
// Its (Default) value: the name Windows shows while the command runs.
inline constexpr std::string_view kActiveSetupName = "ORVEL系统助手";

// "a,b,c,d", compared field by field. Each field is kept to 0..65535, the
// range of a Windows version's fields.
using ActiveSetupVersion = std::array<uint16_t, 4>;

// One to four comma-separated numbers, missing fields 0; none for any other
// text.
std::optional<ActiveSetupVersion> ParseActiveSetupVersion(std::string_view text);
std::string ActiveSetupVersionText(const ActiveSetupVersion& version);

// A version that grows with the time: year, month and day, hour and minute,
// second (UTC), e.g. 2026,1209,41,37.
ActiveSetupVersion ActiveSetupVersionAt(std::chrono::system_clock::time_point utc);

// The version a registration writes: above the one registered, so that every
// user runs the command again, and not below the time's, so that a copy a
// user kept from an earlier installation is below it too.
ActiveSetupVersion NextActiveSetupVersion(const std::optional<ActiveSetupVersion>& registered,
                                          std::chrono::system_clock::time_point utc);

// Whether the address fits between a pair of quotes on a command line: no
// quote and no control character.
bool FitsInQuotes(std::string_view address);

// The command a user's logon runs: "<program>" check "<address>" --quiet.
std::string ActiveSetupCommand(std::string_view program, std::string_view address);
// The address of such a command; none for any other text.
std::optional<std::string> AddressOfActiveSetupCommand(std::string_view command);

}  // namespace orvel::cli
