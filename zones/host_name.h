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

struct HostNameParts {
  std::string first_label;
  std::string rest;
};

// For a host of three or more labels: the first label and the text after the
// first dot. Otherwise no first label, and the host as the rest.
HostNameParts SplitHostName(std::string_view host);

}  // namespace orvel
