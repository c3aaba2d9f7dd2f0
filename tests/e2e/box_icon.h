#pragma once

#include <windows.h>

namespace orvel::e2e {

// Which of the two message box icons an icon control of another process
// shows: IDI_EXCLAMATION or IDI_INFORMATION, by comparing what the screen
// shows with each drawn here; nullptr when it looks like neither. (Icon
// handles do not cross processes.)
const wchar_t* RecogniseBoxIcon(HWND icon_control);

}  // namespace orvel::e2e
