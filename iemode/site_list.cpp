#include "iemode/site_list.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "text/ascii.h"

namespace orvel {
namespace {

constexpr std::string_view kIe11 = "IE11";
constexpr std::string_view kDefaultMode = "Default";

uint16_t DefaultPort(Scheme scheme) { return scheme == Scheme::kHttps ? 443 : 80; }

// The url without a path: what names the host, or host:port.
std::string_view Authority(std::string_view url) { return url.substr(0, url.find('/')); }

// Whether the entry's authority is the host, with or without a port.
bool NamesHost(const SiteEntry& entry, std::string_view host) {
  const std::string_view authority = Authority(entry.url);
  return EqualsFolded(authority.substr(0, authority.find(':')), host);
}

// The port a url names: the one after ':', else the scheme's default; 0
// when what follows ':' is no port.
uint16_t EntryPort(std::string_view authority, Scheme scheme) {
  const size_t colon = authority.find(':');
  if (colon == std::string_view::npos) return DefaultPort(scheme);
  const std::string_view digits = authority.substr(colon + 1);
  uint32_t port = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  return error == std::errc() && end == digits.data() + digits.size() && port <= 0xFFFF ? static_cast<uint16_t>(port)
                                                                                        : 0;
}

// A url without a path lists every path; one with a path, those beginning with it.
bool NamesSite(const SiteEntry& entry, const Site& site) {
  const std::string_view url = entry.url;
  const std::string_view authority = Authority(url);
  const std::string_view path = authority.size() == url.size() ? "/" : url.substr(authority.size());
  const uint16_t port = site.port == 0 ? DefaultPort(site.scheme) : site.port;
  return NamesHost(entry, site.host) && EntryPort(authority, site.scheme) == port && StartsWithFolded(site.path, path);
}

// The characters XML escapes, and their entities.
constexpr std::string_view kXmlSpecial = "&<>\"'";
constexpr std::array<std::string_view, 5> kXmlEntities = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;"};

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    const size_t special = kXmlSpecial.find(c);
    if (special == std::string_view::npos) {
      out += c;
    } else {
      out += kXmlEntities[special];
    }
  }
}

}  // namespace

std::string SiteEntryUrl(const Site& site) {
  if (site.port == 0 || site.port == DefaultPort(site.scheme)) return site.host;
  return site.host + ":" + std::to_string(site.port);
}

bool IsWildcardSite(const Site& site) { return site.host.starts_with("*."); }

bool ListsSite(const SiteList& list, const Site& site) {
  if (IsWildcardSite(site)) return false;
  // Edge takes the first <site> of a url and ignores the others.
  const auto first_of_its_url = [&](const SiteEntry& entry) {
    return &*std::ranges::find_if(list.sites,
                                  [&](const SiteEntry& other) { return EqualsFolded(other.url, entry.url); }) == &entry;
  };
  return std::ranges::any_of(list.sites, [&](const SiteEntry& entry) {
    return EqualsFolded(entry.open_in, kIe11) && NamesSite(entry, site) && first_of_its_url(entry);
  });
}

bool AddSite(SiteList& list, std::string_view url) {
  const SiteEntry wanted{std::string(url), std::string(kDefaultMode), std::string(kIe11), true};
  const auto same_url = [&](const SiteEntry& site) { return EqualsFolded(site.url, url); };
  const auto found = std::ranges::find_if(list.sites, same_url);
  if (found != list.sites.end() && EqualsFolded(found->open_in, kIe11)) return false;
  if (found != list.sites.end()) {
    *found = wanted;
  } else {
    list.sites.push_back(wanted);
  }
  ++list.version;
  return true;
}

bool RemoveHost(SiteList& list, std::string_view host) {
  if (std::erase_if(list.sites, [&](const SiteEntry& site) { return NamesHost(site, host); }) == 0) return false;
  ++list.version;
  return true;
}

std::string SiteListXml(const SiteList& list) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<site-list version=\"" + std::to_string(list.version) + "\">\r\n";
  for (const SiteEntry& site : list.sites) {
    xml += "  <site url=\"";
    AppendEscaped(xml, site.url);
    xml += "\">\r\n";
    if (!site.compat_mode.empty()) {
      xml += "    <compat-mode>";
      AppendEscaped(xml, site.compat_mode);
      xml += "</compat-mode>\r\n";
    }
    xml += site.allow_redirect ? "    <open-in allow-redirect=\"true\">" : "    <open-in>";
    AppendEscaped(xml, site.open_in);
    xml += "</open-in>\r\n  </site>\r\n";
  }
  return xml + "</site-list>\r\n";
}

}  // namespace orvel
