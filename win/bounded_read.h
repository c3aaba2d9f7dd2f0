#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace orvel {

// ReadWholeFile on a thread of its own, waited for at most `bound`
// milliseconds: a file on a share out of reach answers ERROR_TIMEOUT then,
// and the read left behind ends on its own.
int32_t ReadWholeFileWithin(const std::wstring& path, size_t limit, DWORD bound, std::string& bytes);

}  // namespace orvel
