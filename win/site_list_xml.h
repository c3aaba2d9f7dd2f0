#pragma once

#include <cstdint>
#include <string_view>

#include "iemode/site_list.h"

namespace orvel {

// Parses an Enterprise Mode site list with XmlLite (loaded at run time). A
// v.2 list (root <site-list>) gives its version and <site> entries; a v.1
// list (root <rules>), which IE mode ignores, gives its version, no entries
// and `old_format`, so that it is not taken for an empty v.2 list. Anything
// else, or XML that is not well formed, is ERROR_INVALID_DATA; `list` is
// written only on success.
int32_t ParseSiteListXml(std::string_view bytes, SiteList& list);

}  // namespace orvel
