#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "iemode/site_list_files.h"
#include "zones/hives.h"

namespace orvel {

// Whose site list Edge processes.
enum class ListOwner : uint8_t {
  kNone,   // no list is set
  kTool,   // the tool's own file
  kOther,  // anyone else's, wherever it is
  kCloud,  // the cloud list, which overrides every other
};

struct ListInForce {
  ListOwner owner = ListOwner::kNone;
  std::string location = {};  // as the policy gives it; empty for kNone
  std::string path = {};      // the file to read; empty when it cannot be read here
  bool old_format = false;    // the file, once read, is of schema v.1
  bool operator==(const ListInForce&) const = default;
};

// The file a list location names: a local or UNC path as it is, a file://
// URL turned into one (forward slashes to backslashes, %XX decoded); empty
// for http(s) and anything else that cannot be read without the network.
std::string SiteListPath(std::string_view location);

// The file:/// URL of a local path, with forward slashes.
std::string FileUrl(std::string_view path);

// Which list Edge processes: the cloud list if set; else Edge's own site
// list policy, machine then user; else Internet Explorer's Enterprise Mode
// list, machine then user. A location naming the tool's own list file
// (`files.OwnListPath()`), compared without case, is the tool's; that path
// is asked only when a location names a file, as finding it may load the
// shell.
ListInForce ReadListInForce(const Hives& hives, SiteListFiles& files);

// A REG_DWORD Edge policy, machine policy first, then user; none when
// neither is set.
std::optional<uint32_t> ReadEdgePolicyDword(const Hives& hives, std::string_view name);

// InternetExplorerIntegrationLevel, as above.
std::optional<uint32_t> ReadIntegrationLevel(const Hives& hives);

// The file the App Paths entry of msedge.exe names, without quotes; empty
// when there is none.
std::string ReadEdgePath(Registry& machine);

}  // namespace orvel
