#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

// Creates or truncates the file and writes the bytes, flushed to the disk;
// 0 or the Win32 status of the failure.
int32_t WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace orvel
