#pragma once

#include <string>

namespace orvel::e2e {

// The caption the window gets at start-up, which every message box repeats.
inline const std::wstring kTitle = L"ORVEL系统助手 1.0.0.8";

}  // namespace orvel::e2e
