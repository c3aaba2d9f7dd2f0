#pragma once

#include <cstdint>
#include <string>

#include "zones/host_name.h"
#include "zones/scheme.h"

namespace orvel {

// A site as an address names it: the host and its kind, the scheme it is
// trusted for, the port typed (0 for none, or none a browser takes), and the
// path from the '/' after the host to '?' or '#'.
struct Site {
  std::string host;  // empty when the address is invalid
  HostKind kind = HostKind::kInvalid;
  Scheme scheme = Scheme::kHttp;
  uint16_t port = 0;
  std::string path = "/";
  bool operator==(const Site&) const = default;
};

}  // namespace orvel
