#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "iemode/site_list.h"

namespace orvel {

enum class OwnFolderAfter : uint8_t { kDeletedIfEmpty, kKept };

enum class OwnListEdit : uint8_t {
  kAdd,     // the folder is made when absent; a missing file is an empty list
  kRemove,  // nothing is made; a missing folder or file is kFileNotFound
};

// The files of Edge's IE mode: reading any site list, writing the tool's own.
class SiteListFiles {
 public:
  virtual ~SiteListFiles() = default;
  // The tool's own list file, %ProgramData%\ORVEL\ie-mode-sites.xml.
  virtual std::string OwnListPath() = 0;
  // Reads and parses a site list file; kFileNotFound when there is none,
  // another status when it cannot be read in a few seconds or is no site list.
  virtual int32_t ReadList(std::string_view path, SiteList& list) = 0;
  // The same for the tool's own list, read only from a folder that is the
  // tool's; a status when the folder or the file is not.
  virtual int32_t ReadOwnList(SiteList& list) = 0;
  // Reads the tool's own list and lets `edit` change it; when it did (returns
  // true), writes it back whole, or deletes it, and the folder when left
  // empty, once no site is left. All through one opening of a folder only
  // administrators may change; a folder someone else made or could change is
  // refused, or made the tool's before anything is read.
  virtual int32_t EditOwnList(OwnListEdit kind, const std::function<bool(SiteList&)>& edit) = 0;
  // Deletes the tool's own list and, with kDeletedIfEmpty, its folder when
  // that is left empty; nothing where the folder is not the tool's. An edit
  // that leaves the list empty deletes the file, never the folder.
  virtual int32_t DeleteOwnList(OwnFolderAfter folder) = 0;
  virtual bool FileExists(std::string_view path) = 0;
  // When the tool's own list was last written (FILETIME ticks); none when it
  // is not there.
  virtual std::optional<uint64_t> OwnListWrittenAt() = 0;
};

}  // namespace orvel
