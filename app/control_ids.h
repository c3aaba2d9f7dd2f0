#pragma once

// The main window's control IDs. Tests find the controls by them, so they
// stay as they are; none is IDOK or IDCANCEL, which Enter and Esc send.
namespace orvel::control_ids {

inline constexpr int kAddressLabel = 1001;
inline constexpr int kAddressEdit = 1002;
inline constexpr int kCheckButton = 1003;
inline constexpr int kLoginButton = 1004;
// A borderless container for the list and its heading.
inline constexpr int kProgressFrame = 1005;
inline constexpr int kProgressLabel = 1006;
inline constexpr int kProgressList = 1007;
// The maker's one-line notice at the bottom.
inline constexpr int kNoticeLabel = 1008;

}  // namespace orvel::control_ids
