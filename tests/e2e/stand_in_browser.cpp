#include "tests/e2e/stand_in_browser.h"

#include <windows.h>

#include "tests/e2e/folder_tree.h"
#include "tests/e2e/product.h"
#include "tests/e2e/recorder_settings.h"

namespace orvel::e2e {

StandInBrowser::StandInBrowser(const std::wstring& folder, bool present, const std::wstring& record,
                               const std::wstring& ca_dat)
    : path_(folder + L"\\Internet Explorer\\iexplore.exe"), aside_(path_ + L".orvel-e2e") {
  MakeFolders(folder + L"\\Internet Explorer");
  moved_aside_ = MoveFileExW(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  if (!present) return;
  CopyFileW(WindowsPath(programs().recorder).c_str(), path_.c_str(), FALSE);
  WriteRecorderSettings(folder + L"\\Internet Explorer", record, ca_dat);
}

StandInBrowser::~StandInBrowser() {
  DeleteFileW(path_.c_str());
  DeleteFileW((path_.substr(0, path_.rfind(L'\\') + 1) + kRecorderSettings).c_str());
  if (moved_aside_) MoveFileExW(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace orvel::e2e
