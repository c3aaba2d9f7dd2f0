#pragma once

#include <windows.h>

#include <string_view>

#include "app/control_ids.h"
#include "check/texts.h"

namespace orvel::layout {

// The window is laid out in twips, 1440 to the inch: 15 to a pixel at 96 dpi.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

// The window's client area, in twips.
inline constexpr int kClientWidth = 6615;
inline constexpr int kClientHeight = 4275;

// Where a control sits: in the window, or in the progress frame
// (kFrameControl), which is itself in the window.
enum class Container { kWindow, kFrame };
inline constexpr int kFrameControl = control_ids::kProgressFrame;
enum class Font { kNone, kSong, kNotice };

// One control: where it sits (in twips, from its container's top-left
// corner), what it is and what it shows.
struct Control {
  int id;
  Container container;
  const wchar_t* window_class;
  std::string_view caption;
  DWORD style;
  DWORD ex_style;
  int left;
  int top;
  int width;
  int height;
  Font font;
};

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// In creation order, which is the tab order: the two buttons, the address box
// and the list take the focus, and the address label's access key leads on to
// the address box.
inline constexpr Control kControls[] = {
    {control_ids::kCheckButton, Container::kWindow, L"BUTTON", texts::kCheckButton, kChild | WS_TABSTOP | BS_PUSHBUTTON,
     0, 4320, 570, 1005, 375, Font::kSong},
    {control_ids::kLoginButton, Container::kWindow, L"BUTTON", texts::kLoginButton, kChild | WS_TABSTOP | BS_PUSHBUTTON,
     0, 5430, 570, 1005, 375, Font::kSong},
    {control_ids::kAddressLabel, Container::kWindow, L"STATIC", texts::kAddressLabel, kChild | SS_LEFT, 0, 240, 300,
     5040, 210, Font::kSong},
    {control_ids::kAddressEdit, Container::kWindow, L"EDIT", "", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, 240, 570, 3945, 345, Font::kSong},
    {control_ids::kNoticeLabel, Container::kWindow, L"STATIC", texts::kNotice, kChild | SS_LEFT | SS_NOPREFIX, 0, 4050,
     3870, 2160, 180, Font::kNotice},
    {control_ids::kProgressFrame, Container::kWindow, L"STATIC", "", kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 210,
     1110, 6195, 2535, Font::kNone},
    {control_ids::kProgressLabel, Container::kFrame, L"STATIC", texts::kProgressLabel, kChild | SS_LEFT | SS_NOPREFIX,
     0, 0, 0, 1050, 210, Font::kSong},
    {control_ids::kProgressList, Container::kFrame, L"LISTBOX", "",
     kChild | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, WS_EX_CLIENTEDGE, 0, 270,
     6195, 2160, Font::kSong},
};

// The container a control sits in, as the table says.
constexpr Container ContainerOf(int id) {
  for (const Control& control : kControls) {
    if (control.id == id) return control.container;
  }
  return Container::kWindow;
}

}  // namespace orvel::layout
