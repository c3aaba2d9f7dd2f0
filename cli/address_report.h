#pragma once

#include <string_view>

#include "check/address.h"
#include "cli/json.h"

namespace orvel::cli {

// The members every verb's JSON begins with: the verb and the address as
// read.
JsonObject AddressJson(std::string_view verb, const SiteAddress& address);

}  // namespace orvel::cli
