#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <windows.h>

namespace orvel {

// Writes the bytes to an open file, flushed to the disk.
int32_t WriteToHandle(HANDLE file, std::string_view bytes);

// Reads an open file whole, at most `limit` bytes; ERROR_FILE_TOO_LARGE when
// it is longer. `bytes` is written only on success.
int32_t ReadFromHandle(HANDLE file, size_t limit, std::string& bytes);

// Creates or truncates the file and writes the bytes, flushed to the disk;
// 0 or the Win32 status of the failure.
int32_t WriteWholeFile(const std::wstring& path, std::string_view bytes);

// Writes a temporary file beside `path` and moves it over the old one, so a
// failed write leaves the old file whole.
int32_t ReplaceWholeFile(const std::wstring& path, std::string_view bytes);

// ReadFromHandle on the file at `path`.
int32_t ReadWholeFile(const std::wstring& path, size_t limit, std::string& bytes);

}  // namespace orvel
