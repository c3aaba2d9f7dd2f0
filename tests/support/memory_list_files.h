#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "iemode/site_list_files.h"
#include "zones/registry.h"

namespace orvel::test {

inline constexpr std::string_view kOwnPath = "C:\\ProgramData\\ORVEL\\ie-mode-sites.xml";
// The one file that exists: Edge, where the tests' App Paths entry names it.
inline constexpr std::string_view kEdge = "C:\\Edge\\msedge.exe";

// Site lists as files, in memory; a path without a list reads as missing.
class MemoryListFiles final : public SiteListFiles {
 public:
  std::string OwnListPath() override { return std::string(kOwnPath); }
  int32_t ReadList(std::string_view path, SiteList& list) override {
    const auto found = lists.find(std::string(path));
    if (found == lists.end()) return status::kFileNotFound;
    list = found->second;
    return status::kSuccess;
  }
  int32_t ReadOwnList(SiteList& list) override { return ReadList(kOwnPath, list); }
  int32_t EditOwnList(OwnListEdit kind, const std::function<bool(SiteList&)>& edit) override {
    const auto found = lists.find(OwnListPath());
    if (found == lists.end() && kind == OwnListEdit::kRemove) return status::kFileNotFound;
    SiteList list = found == lists.end() ? SiteList{} : found->second;
    if (!edit(list) || write_status != status::kSuccess) return write_status;
    if (list.sites.empty()) {
      lists.erase(OwnListPath());
    } else {
      lists[OwnListPath()] = list;
    }
    return status::kSuccess;
  }
  int32_t DeleteOwnList(OwnFolderAfter after) override {
    folder_kept = after == OwnFolderAfter::kKept;
    return lists.erase(OwnListPath()) == 1 ? status::kSuccess : status::kFileNotFound;
  }
  bool FileExists(std::string_view path) override { return std::ranges::find(existing, path) != existing.end(); }
  std::optional<uint64_t> OwnListWrittenAt() override { return own_list_written_at; }

  std::map<std::string, SiteList> lists;
  int32_t write_status = status::kSuccess;
  std::optional<uint64_t> own_list_written_at;
  bool folder_kept = false;
  std::vector<std::string> existing = {std::string(kEdge)};
};

}  // namespace orvel::test
