#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

enum class HostKind : int16_t {
  kInvalid = -1,  // no site can have this address
  kDomain = 0,    // at least one label is not a number
  kNumeric = 1,   // every label is a run of decimal digits
};

// The dot-separated labels of a host, empty ones included; none for "".
std::vector<std::string_view> SplitLabels(std::string_view host);

// For a host of three or more labels: writes the first label and returns the
// text after the first dot. Otherwise returns the host and leaves
// `first_label` alone.
std::string SplitHostName(std::string_view host, std::string& first_label);

}  // namespace orvel
