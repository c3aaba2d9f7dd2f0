#include "cli/active_setup.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "text/ascii.h"

namespace orvel::cli {
namespace {

constexpr std::string_view kCheckWord = " check ";
constexpr std::string_view kQuietWord = " --quiet";

size_t TrailingBackslashes(std::string_view text) {
  const size_t kept = text.find_last_not_of('\\');
  return kept == std::string_view::npos ? text.size() : text.size() - kept - 1;
}

// Backslashes before a closing quote are doubled: a program's command line
// reader takes a quote after an odd number of them as part of the text.
std::string Quoted(std::string_view text) {
  return std::string("\"").append(text).append(TrailingBackslashes(text), '\\').append("\"");
}

}  // namespace

std::optional<ActiveSetupVersion> ParseActiveSetupVersion(std::string_view text) {
  ActiveSetupVersion version{};
  for (size_t field = 0; field < version.size(); ++field) {
    const size_t comma = text.find(',');
    const std::string_view number = text.substr(0, comma);
    // Digits alone; from_chars would also take a sign or stop early.
    if (!IsDigits(number)) return std::nullopt;
    if (std::from_chars(number.data(), number.data() + number.size(), version[field]).ec != std::errc()) {
      return std::nullopt;
    }
    if (comma == std::string_view::npos) return version;
    text.remove_prefix(comma + 1);
  }
  return std::nullopt;
}

std::string ActiveSetupVersionText(const ActiveSetupVersion& version) {
  std::string text;
  for (const uint16_t field : version) text.append(text.empty() ? "" : ",").append(std::to_string(field));
  return text;
}

ActiveSetupVersion ActiveSetupVersionAt(std::chrono::system_clock::time_point utc) {
  using namespace std::chrono;
  const sys_days day = floor<days>(utc);
  const year_month_day date(day);
  const hh_mm_ss time(floor<seconds>(utc - day));
  const auto field = [](int value) { return static_cast<uint16_t>(std::clamp(value, 0, 65535)); };
  return {field(static_cast<int>(date.year())),
          field(static_cast<int>(static_cast<unsigned>(date.month()) * 100 + static_cast<unsigned>(date.day()))),
          field(static_cast<int>(time.hours().count() * 100 + time.minutes().count())),
          field(static_cast<int>(time.seconds().count()))};
}

ActiveSetupVersion NextActiveSetupVersion(const std::optional<ActiveSetupVersion>& registered,
                                          std::chrono::system_clock::time_point utc) {
  const ActiveSetupVersion now = ActiveSetupVersionAt(utc);
  if (!registered) return now;
  // The next version after it, carrying into the field before; the highest
  // there is stays as it is.
  ActiveSetupVersion next = *registered;
  for (size_t field = next.size(); field-- > 0;) {
    if (next[field] < std::numeric_limits<uint16_t>::max()) {
      ++next[field];
      std::fill(next.begin() + static_cast<ptrdiff_t>(field) + 1, next.end(), uint16_t{0});
      break;
    }
  }
  return std::max(next, now);
}

bool FitsInQuotes(std::string_view address) {
  return std::none_of(address.begin(), address.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '"' || byte < 0x20 || byte == 0x7f;
  });
}

std::string ActiveSetupCommand(std::string_view program, std::string_view address) {
  return Quoted(program).append(kCheckWord).append(Quoted(address)).append(kQuietWord);
}

std::optional<std::string> AddressOfActiveSetupCommand(std::string_view command) {
  const size_t program_end = command.find('"', 1);
  if (!command.starts_with('"') || program_end == std::string_view::npos) return std::nullopt;
  command.remove_prefix(program_end + 1);
  if (!command.starts_with(kCheckWord) || !command.ends_with(kQuietWord)) return std::nullopt;
  command.remove_prefix(kCheckWord.size());
  command.remove_suffix(kQuietWord.size());
  if (command.size() < 2 || !command.starts_with('"') || !command.ends_with('"')) return std::nullopt;
  std::string_view address = command.substr(1, command.size() - 2);
  if (address.find('"') != std::string_view::npos) return std::nullopt;
  const size_t trailing = TrailingBackslashes(address);
  if (trailing % 2 != 0) return std::nullopt;
  address.remove_suffix(trailing / 2);
  return std::string(address);
}

}  // namespace orvel::cli
