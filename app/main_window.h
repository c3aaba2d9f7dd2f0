#pragma once

#include <windows.h>

#include "check/check_view.h"
#include "win/unique_any.h"

namespace orvel {

class WindowPresenter;

// The address box, the Check and Login buttons and the progress list. A thin
// view: it hands clicks to its presenter and shows what it is told.
class MainWindow final : public CheckView {
 public:
  explicit MainWindow(HINSTANCE instance);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and its controls, centred on the screen and not yet
  // shown, with the version in the title. False on failure.
  bool Create();
  // Shows the window with the focus on the Check button; from then on its
  // clicks go to `presenter`.
  void Show(int show_command, WindowPresenter& presenter);
  HWND hwnd() const { return hwnd_; }

  std::string AddressText() const override;
  void SetAddressText(std::string_view text) override;
  void ClearProgress() override;
  void AddProgressLine(std::string_view line) override;
  void ShowMessage(std::string_view text, MessageStyle style) override;
  bool Ask(std::string_view text, MessageStyle style) override;
  bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds within) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool CreateControls();
  // Fonts, control boxes and window size for a dpi; the window keeps its
  // top-left corner at (left, top).
  void LayOut(int dpi, int left, int top);
  // The list's sideways extent: its widest line, in its font, measured
  // again (the font changes with the dpi) or as given.
  void FitProgressWidth();
  void SetProgressWidth(LONG widest);
  void CentreOnScreen();
  HWND Control(int id) const;
  std::string Caption() const;

  HINSTANCE instance_;
  WindowPresenter* presenter_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND frame_ = nullptr;
  // The control that had the focus when the window was last deactivated.
  HWND focus_ = nullptr;
  UniqueFont song_font_;
  UniqueFont notice_font_;
  LONG progress_width_ = 0;
  // The list font's widest character: a line of n characters is at most n
  // times as wide.
  LONG widest_character_ = 0;
};

}  // namespace orvel
