#pragma once

#include <string>

namespace orvel::e2e {

// Makes every missing folder of the path.
void MakeFolders(const std::wstring& path);
// A UTF-16 text file, as the recorder writes it.
std::wstring ReadWideFile(const std::wstring& path);

}  // namespace orvel::e2e
