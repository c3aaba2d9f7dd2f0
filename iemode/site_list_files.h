#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "iemode/site_list.h"

namespace orvel {

// The files of Edge's IE mode: reading any site list, writing the tool's own.
class SiteListFiles {
 public:
  virtual ~SiteListFiles() = default;
  // The tool's own list file, %ProgramData%\ORVEL\ie-mode-sites.xml.
  virtual std::string OwnListPath() = 0;
  // Reads and parses a site list file; kFileNotFound when there is none,
  // another status when it cannot be read or is no site list.
  virtual int32_t ReadList(std::string_view path, SiteList& list) = 0;
  // Writes the tool's own list whole, in a folder only administrators may
  // change; refuses a folder someone else made.
  virtual int32_t WriteOwnList(const SiteList& list) = 0;
  // Deletes the tool's own list, and its folder when that is left empty.
  virtual int32_t DeleteOwnList() = 0;
  virtual bool FileExists(std::string_view path) = 0;
};

}  // namespace orvel
