#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

enum class HostKind : int16_t {
  kInvalid = -1,  // no site can have this address
  kDomain = 0,    // at least one label is not a number
  kNumeric = 1,   // every label is a run of decimal digits
};

// Removes blanks (U+0020) and ideographic spaces (U+3000) at both ends;
// tabs and other characters stay.
std::string TrimBlanks(std::string_view text);

inline constexpr std::string_view kHttpPrefix = "http://";

// True when the address begins with "http://" in any letter case.
bool HasHttpPrefix(std::string_view address);

// Reduces a trimmed address to its host and tells what kind of host it is.
// `host` is written only when the result is not kInvalid.
HostKind ParseSiteAddress(std::string_view address, std::string& host);

// For a host of three or more labels: writes the first label and returns the
// text after the first dot. Otherwise returns the host and leaves
// `first_label` alone.
std::string SplitHostName(std::string_view host, std::string& first_label);

// The text before its first NUL, or all of it.
std::string TrimAtNul(std::string_view text);

}  // namespace orvel
