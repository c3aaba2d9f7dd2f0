#pragma once

#include <optional>
#include <string>

#include "iemode/site_list_files.h"

namespace orvel {

// Site list files on disk: any list read with XmlLite, the tool's own
// written whole (UTF-8) in a folder only administrators may change.
class Win32SiteListFiles final : public SiteListFiles {
 public:
  // The tool's own list in the real ProgramData folder's ORVEL folder, as
  // the system names it (not as an environment variable says). The folder is
  // asked for only when first needed: shell32 and the DLLs it brings are
  // loaded only by a run that touches the tool's list.
  Win32SiteListFiles() = default;
  // `folder` holds the tool's own list, ie-mode-sites.xml.
  explicit Win32SiteListFiles(std::wstring folder) : folder_(std::move(folder)) {}

  std::string OwnListPath() override;
  // A missing folder reads as a missing file; a read that takes longer than
  // a few seconds (a network share out of reach) as one that failed.
  int32_t ReadList(std::string_view path, SiteList& list) override;
  int32_t ReadOwnList(SiteList& list) override;
  int32_t EditOwnList(OwnListEdit kind, const std::function<bool(SiteList&)>& edit) override;
  int32_t DeleteOwnList(OwnFolderAfter after) override;
  bool FileExists(std::string_view path) override;
  // Only the file's time is read: where the folder is not the tool's, a later
  // time asks for a restart once too often, never too rarely.
  std::optional<uint64_t> OwnListWrittenAt() override;

 private:
  const std::wstring& Folder();

  std::optional<std::wstring> folder_;
};

}  // namespace orvel
