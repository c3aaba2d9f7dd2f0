#pragma once

#include <windows.h>

#include <string>

namespace orvel::e2e {

// The recorder's settings, in the folder of the recorder.
inline constexpr wchar_t kRecorderSettings[] = L"recorder.ini";

// Ends each start's record in the file of records.
inline constexpr wchar_t kRecordEnd = L'\x1e';

// Tells the recorder in `folder` where to write its record and where ca.dat is.
inline void WriteRecorderSettings(const std::wstring& folder, const std::wstring& record, const std::wstring& ca_dat) {
  const std::wstring settings = folder + L"\\" + kRecorderSettings;
  WritePrivateProfileStringW(L"recorder", L"record", record.c_str(), settings.c_str());
  WritePrivateProfileStringW(L"recorder", L"ca_dat", ca_dat.c_str(), settings.c_str());
}

}  // namespace orvel::e2e
