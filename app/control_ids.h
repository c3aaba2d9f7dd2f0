#pragma once

// The main window's control IDs. Tests find the controls by them, so they
// stay as they are; none is IDOK or IDCANCEL, which Enter and Esc send.
namespace orvel::control_ids {

inline constexpr int kLabel1 = 1001;
inline constexpr int kText1 = 1002;
inline constexpr int kCommand1 = 1003;
inline constexpr int kCommand2 = 1004;
inline constexpr int kFrameTest = 1005;
inline constexpr int kLabel4 = 1006;   // in frameTest
inline constexpr int kLstTest = 1007;  // in frameTest
inline constexpr int kLabel3 = 1008;

}  // namespace orvel::control_ids
