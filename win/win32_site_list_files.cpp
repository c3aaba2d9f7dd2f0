#include "win/win32_site_list_files.h"

#include <windows.h>

#include <shlobj.h>

#include "win/bounded_read.h"
#include "win/own_folder.h"
#include "win/site_list_xml.h"
#include "win/system_library.h"
#include "win/utf16_text.h"
#include "zones/registry.h"

namespace orvel {
namespace {

// Site lists of large organisations run to a few megabytes.
constexpr size_t kLargestList = 64 << 20;
constexpr wchar_t kOwnFile[] = L"ie-mode-sites.xml";
// Long enough for a slow share, short enough that the window is never
// reported as not responding.
constexpr DWORD kReadBound = 3000;

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);

// Empty when the system cannot name it.
std::wstring ProgramDataFolder() {
  const auto get_folder = LoadSystemFunction<GetFolderPathFunction>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t path[MAX_PATH] = {};
  if (get_folder == nullptr || FAILED(get_folder(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return std::wstring(path) + L"\\ORVEL";
}

int32_t ReadFromFolder(const OwnFolder& folder, SiteList& list) {
  std::string bytes;
  const int32_t result = folder.Read(kOwnFile, kLargestList, bytes);
  return result == ERROR_SUCCESS ? ParseSiteListXml(bytes, list) : result;
}

}  // namespace

const std::wstring& Win32SiteListFiles::Folder() {
  if (!folder_) folder_ = ProgramDataFolder();
  return *folder_;
}

std::string Win32SiteListFiles::OwnListPath() { return WideToUtf8(Folder() + L"\\" + kOwnFile); }

int32_t Win32SiteListFiles::ReadList(std::string_view path, SiteList& list) {
  std::string bytes;
  const int32_t result = ReadWholeFileWithin(Utf8ToWide(path), kLargestList, kReadBound, bytes);
  if (result == ERROR_PATH_NOT_FOUND) return ERROR_FILE_NOT_FOUND;
  return result == ERROR_SUCCESS ? ParseSiteListXml(bytes, list) : result;
}

int32_t Win32SiteListFiles::ReadOwnList(SiteList& list) {
  OwnFolder folder;
  const int32_t result = folder.Open(Folder(), OwnFolder::Use::kRead);
  return result == ERROR_SUCCESS ? ReadFromFolder(folder, list) : result;
}

int32_t Win32SiteListFiles::EditOwnList(OwnListEdit kind, const std::function<bool(SiteList&)>& edit) {
  OwnFolder folder;
  int32_t result = folder.Open(Folder(), kind == OwnListEdit::kAdd ? OwnFolder::Use::kWrite : OwnFolder::Use::kRemove);
  SiteList list;
  if (result == ERROR_SUCCESS) result = ReadFromFolder(folder, list);
  if (IsMissing(result) && kind == OwnListEdit::kAdd) result = ERROR_SUCCESS;
  if (result != ERROR_SUCCESS || !edit(list)) return result;
  return list.sites.empty() ? folder.Delete(kOwnFile) : folder.Replace(kOwnFile, SiteListXml(list));
}

int32_t Win32SiteListFiles::DeleteOwnList(OwnFolderAfter after) {
  OwnFolder folder;
  int32_t result = folder.Open(Folder(), OwnFolder::Use::kRemove);
  if (result == ERROR_SUCCESS) {
    result = folder.Delete(kOwnFile);
    // Only an empty folder goes; a folder with anything else in it stays.
    if (after == OwnFolderAfter::kDeletedIfEmpty) folder.DeleteIfEmpty();
  }
  return result;
}

std::optional<uint64_t> Win32SiteListFiles::OwnListWrittenAt() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Utf8ToWide(OwnListPath()).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool Win32SiteListFiles::FileExists(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace orvel
