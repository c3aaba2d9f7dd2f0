#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zones/site.h"

namespace orvel {

// One <site> of an Enterprise Mode site list (schema v.2).
struct SiteEntry {
  std::string url;               // host, host:port or host/path; no scheme
  std::string compat_mode = {};  // Default, IE8Enterprise, ...; empty when not given
  std::string open_in = {};      // IE11, MSEdge, None; empty when not given
  bool allow_redirect = false;
  bool operator==(const SiteEntry&) const = default;
};

struct SiteList {
  uint32_t version = 0;
  std::vector<SiteEntry> sites;
  // A schema v.1 list (root <rules>): Edge does not use it for IE mode.
  bool old_format = false;
  bool operator==(const SiteList&) const = default;
};

// A host of the zone map's wildcard form, "*.example.com": no site list may
// hold one, and none lists it.
bool IsWildcardSite(const Site& site);

// Whether a <site> opening in IE11 names the site, as Edge reads a v.2
// url: a bare host is the scheme's default port only, host:port that port;
// a path after either lists the paths that begin with it. Host and path
// compare without case.
bool ListsSite(const SiteList& list, const Site& site);

// The url the tool writes for a site: the host, or host:port when the port
// is not the scheme's default.
std::string SiteEntryUrl(const Site& site);

// Makes the list hold the entry for `url`, opening in IE11 with redirects
// kept, in place of an entry of that url that did not; other entries stay.
// The version goes up by one when the list changes; returns whether it did.
bool AddSite(SiteList& list, std::string_view url);

// Takes out every entry naming the host (host, host:port, host/path); the
// version goes up by one when one went. Returns whether one did.
bool RemoveHost(SiteList& list, std::string_view host);

// The list as a UTF-8 XML document of schema v.2, texts escaped.
std::string SiteListXml(const SiteList& list);

}  // namespace orvel
