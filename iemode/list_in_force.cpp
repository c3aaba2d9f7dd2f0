#include "iemode/list_in_force.h"

#include <algorithm>

#include "iemode/ie_mode_keys.h"
#include "text/ascii.h"

namespace orvel {
namespace {

constexpr std::string_view kFileScheme = "file:";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// file:///C:/x -> C:\x; file://server/share/x -> \\server\share\x.
std::string PathOfFileUrl(std::string_view rest) {
  std::string path = rest.starts_with("///") ? std::string() : std::string("\\\\");
  rest.remove_prefix(std::min(rest.find_first_not_of('/'), rest.size()));
  for (size_t i = 0; i < rest.size(); ++i) {
    const int high = rest[i] == '%' && i + 2 < rest.size() ? HexDigit(rest[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(rest[i + 2]) : -1;
    if (low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += rest[i] == '/' ? '\\' : rest[i];
    }
  }
  return path;
}

// The machine's text, or when it has none (or an empty one) the user's.
std::string MachineOrUserText(const Hives& hives, std::string_view path, std::string_view name) {
  std::string text = ReadString(hives.machine, path, name).value_or("");
  return text.empty() ? ReadString(hives.user, path, name).value_or("") : text;
}

}  // namespace

std::string SiteListPath(std::string_view location) {
  if (StartsWithFolded(location, kFileScheme)) return PathOfFileUrl(location.substr(kFileScheme.size()));
  const bool drive = location.size() >= 3 && location[1] == ':' && (location[2] == '\\' || location[2] == '/');
  if (!drive && !location.starts_with("\\\\")) return {};
  std::string path(location);
  std::ranges::replace(path, '/', '\\');
  return path;
}

std::string FileUrl(std::string_view path) {
  std::string url = "file:///";
  for (const char c : path) url += c == '\\' ? '/' : c;
  return url;
}

ListInForce ReadListInForce(const Hives& hives, SiteListFiles& files) {
  using namespace ie_mode_keys;
  std::string location = MachineOrUserText(hives, kEdgePolicy, kCloudSiteList);
  if (!location.empty()) return ListInForce{ListOwner::kCloud, location, {}};
  location = MachineOrUserText(hives, kEdgePolicy, kSiteList);
  if (location.empty()) location = MachineOrUserText(hives, kEnterpriseMode, kEnterpriseSiteList);
  if (location.empty()) return {};
  std::string path = SiteListPath(location);
  const bool own = !path.empty() && EqualsFolded(path, files.OwnListPath());
  return ListInForce{own ? ListOwner::kTool : ListOwner::kOther, location, path};
}

std::optional<uint32_t> ReadEdgePolicyDword(const Hives& hives, std::string_view name) {
  const std::optional<uint32_t> value = ReadDword(hives.machine, ie_mode_keys::kEdgePolicy, name);
  return value ? value : ReadDword(hives.user, ie_mode_keys::kEdgePolicy, name);
}

std::optional<uint32_t> ReadIntegrationLevel(const Hives& hives) {
  return ReadEdgePolicyDword(hives, ie_mode_keys::kLevel);
}

std::string ReadEdgePath(Registry& machine) {
  std::string path = ReadString(machine, ie_mode_keys::kEdgeAppPath, "").value_or("");
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

}  // namespace orvel
