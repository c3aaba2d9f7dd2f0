#include "app/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/control_ids.h"
#include "app/dpi.h"
#include "app/main_window_layout.h"
#include "app/program_version.h"
#include "app/resources/resource_ids.h"
#include "check/texts.h"
#include "check/window_presenter.h"
#include "win/utf16_text.h"

namespace orvel {
namespace {

constexpr wchar_t kClassName[] = L"OrvelHelperMain";
// A fixed single border with the system menu and close button only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// "宋体" (GB2312) of a size in tenths of a point: 10.5 pt for the controls;
// 9 pt, the window's own font, for the one-line notice, whose line is its
// 180-twip box.
constexpr int kSongTenths = 105;
constexpr int kNoticeTenths = 90;
UniqueFont SongFont(int tenths_of_a_point, int dpi) {
  return UniqueFont(CreateFontW(-MulDiv(tenths_of_a_point, dpi, 720), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, Utf8ToWide(texts::kSongFace).c_str()));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// The box one line of text needs in the window's font.
SIZE TextExtent(HWND window, HFONT font, const std::wstring& text) {
  RECT box{};
  const UniqueWindowDc dc(window);
  const HGDIOBJ old = SelectObject(dc.get(), font);
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc.get(), old);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

// No character of the list's font is wider than this.
LONG WidestCharacter(HWND list) {
  const UniqueWindowDc dc(list);
  const HGDIOBJ old = SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  SelectObject(dc.get(), old);
  return metrics.tmMaxCharWidth;
}

// The width of one line of the list, in its font.
LONG LineWidth(HWND list, const std::wstring& line) {
  return TextExtent(list, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), line).cx;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  // The version 6 controls the manifest names.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

bool MainWindow::Create() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_ORVEL));
  window_class.hIconSm =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ORVEL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) return false;

  const std::wstring caption = Utf8ToWide(texts::kDesignCaption);
  if (CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                      nullptr, instance_, this) == nullptr) {
    return false;
  }
  CentreOnScreen();
  if (const std::optional<ProgramVersion> version = ReadProgramVersion()) {
    SetWindowTextW(hwnd_, Utf8ToWide(VersionedCaption(Caption(), *version)).c_str());
  }
  return true;
}

void MainWindow::Show(int show_command, WindowPresenter& presenter) {
  presenter_ = &presenter;
  ShowWindow(hwnd_, show_command);
  UpdateWindow(hwnd_);
  SetFocus(Control(control_ids::kCheckButton));
}

std::string MainWindow::AddressText() const { return WideToUtf8(WindowText(Control(control_ids::kAddressEdit))); }

void MainWindow::SetAddressText(std::string_view text) {
  SetWindowTextW(Control(control_ids::kAddressEdit), Utf8ToWide(text).c_str());
}

void MainWindow::ClearProgress() {
  SendMessageW(Control(control_ids::kProgressList), LB_RESETCONTENT, 0, 0);
  SetProgressWidth(0);
}

void MainWindow::AddProgressLine(std::string_view line) {
  const std::wstring wide = Utf8ToWide(line);
  const HWND list = Control(control_ids::kProgressList);
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  // Only the new line can widen the list, and only if it may be wider than
  // the list: measuring a line costs the check more than its registry calls.
  RECT box{};
  GetClientRect(list, &box);
  if (static_cast<LONG>(wide.size()) * widest_character_ > box.right - box.left) {
    SetProgressWidth(std::max(progress_width_, LineWidth(list, wide)));
  }
}

void MainWindow::ShowMessage(std::string_view text, MessageStyle style) {
  MessageBoxW(hwnd_, Utf8ToWide(text).c_str(), Utf8ToWide(Caption()).c_str(), MB_OK | static_cast<UINT>(style));
}

bool MainWindow::Ask(std::string_view text, MessageStyle style) {
  const int answer =
      MessageBoxW(hwnd_, Utf8ToWide(text).c_str(), Utf8ToWide(Caption()).c_str(), static_cast<UINT>(style));
  return answer == IDYES || answer == IDRETRY;
}

bool MainWindow::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds within) {
  const bool was_enabled = EnableWindow(hwnd_, FALSE) == 0;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(within.count());
  MSG message{};
  bool finished = done();
  while (!finished && message.message != WM_QUIT && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      // The program is to end: so is the wait, and the main loop gets the
      // message again.
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    finished = done();
  }
  if (was_enabled) EnableWindow(hwnd_, TRUE);
  return finished;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return window != nullptr ? window->HandleMessage(message, wparam, lparam)
                           : DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      if (!CreateControls()) return -1;
      LayOut(DpiForWindow(hwnd_), 0, 0);
      return 0;
    case WM_COMMAND:
      if (presenter_ == nullptr || HIWORD(wparam) != BN_CLICKED) return 0;
      if (LOWORD(wparam) == control_ids::kCheckButton) presenter_->OnCheckClicked();
      if (LOWORD(wparam) == control_ids::kLoginButton) presenter_->OnLoginClicked();
      return 0;
    case WM_NEXTDLGCTL: {
      // The dialog manager asks for this when an access key or Tab moves the
      // focus: to the control in wparam, or to the next or previous one.
      const HWND next =
          lparam != 0 ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(hwnd_, GetFocus(), wparam != 0);
      if (next != nullptr) SetFocus(next);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
      }
      return DefWindowProcW(hwnd_, message, wparam, lparam);
    case WM_SETFOCUS:
      SetFocus(focus_ != nullptr ? focus_ : Control(control_ids::kCheckButton));
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      LayOut(HIWORD(wparam), suggested->left, suggested->top);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

bool MainWindow::CreateControls() {
  for (const layout::Control& control : layout::kControls) {
    const HWND parent = control.container == layout::Container::kFrame ? frame_ : hwnd_;
    const HWND created =
        CreateWindowExW(control.ex_style, control.window_class, Utf8ToWide(control.caption).c_str(), control.style, 0,
                        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
    if (created == nullptr) return false;
    if (control.id == layout::kFrameControl) frame_ = created;
  }
  // No limit on the address's length.
  SendMessageW(Control(control_ids::kAddressEdit), EM_SETLIMITTEXT, 0, 0);
  return true;
}

void MainWindow::LayOut(int dpi, int left, int top) {
  song_font_ = SongFont(kSongTenths, dpi);
  notice_font_ = SongFont(kNoticeTenths, dpi);
  const auto pixels = [dpi](int twips) { return layout::TwipsToPixels(twips, dpi); };
  for (const layout::Control& control : layout::kControls) {
    const HWND window = Control(control.id);
    const HFONT font = control.font == layout::Font::kSong     ? song_font_.get()
                       : control.font == layout::Font::kNotice ? notice_font_.get()
                                                               : nullptr;
    if (font != nullptr) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SIZE size{pixels(control.width), pixels(control.height)};
    // The address label's box follows its caption.
    if (control.id == control_ids::kAddressLabel) size = TextExtent(window, font, WindowText(window));
    SetWindowPos(window, nullptr, pixels(control.left), pixels(control.top), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const SIZE outer =
      WindowSizeForClient(pixels(layout::kClientWidth), pixels(layout::kClientHeight), kStyle, kExStyle, dpi);
  SetWindowPos(hwnd_, nullptr, left, top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  widest_character_ = WidestCharacter(Control(control_ids::kProgressList));
  FitProgressWidth();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::FitProgressWidth() {
  const HWND list = Control(control_ids::kProgressList);
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  LONG widest = 0;
  for (int i = 0; i < count; ++i) {
    std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    widest = std::max(widest, LineWidth(list, line));
  }
  SetProgressWidth(widest);
}

void MainWindow::SetProgressWidth(LONG widest) {
  // A line wider than the list scrolls sideways instead of being cut off;
  // the list draws each line a few pixels in from its edge.
  progress_width_ = widest;
  SendMessageW(Control(control_ids::kProgressList), LB_SETHORIZONTALEXTENT,
               widest > 0 ? widest + GetSystemMetrics(SM_CXEDGE) * 2 : 0, 0);
}

void MainWindow::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const RECT& work = monitor.rcWork;
  const int left = work.left + (work.right - work.left - (window.right - window.left)) / 2;
  const int top = work.top + (work.bottom - work.top - (window.bottom - window.top)) / 2;
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND MainWindow::Control(int id) const {
  return GetDlgItem(layout::ContainerOf(id) == layout::Container::kFrame ? frame_ : hwnd_, id);
}

std::string MainWindow::Caption() const { return WideToUtf8(WindowText(hwnd_)); }

}  // namespace orvel
