#pragma once

#include <windows.h>

#include <cstdint>

namespace orvel {

// The calling thread's last Win32 error as the status the seams return.
inline int32_t LastErrorStatus() { return static_cast<int32_t>(GetLastError()); }

}  // namespace orvel
