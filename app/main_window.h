#pragma once

#include <windows.h>

#include "check/check_site.h"
#include "check/check_view.h"
#include "check/saved_address.h"
#include "win/unique_any.h"

namespace orvel {

// The address box, the Check and Login buttons and the progress list. A thin
// view: it hands clicks to the workflows and shows what they tell it.
class MainWindow final : public CheckView {
 public:
  MainWindow(HINSTANCE instance, CheckRegistries registries, AddressStore& store);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and its controls, centred on the screen and not yet
  // shown, then puts the version into the title and the saved address into
  // the box. False on failure.
  bool Create();
  // Shows the window with the focus on the Check button.
  void Show(int show_command);
  HWND hwnd() const { return hwnd_; }

  void SetAddressText(std::string_view text) override;
  void ClearProgress() override;
  void AddProgressLine(std::string_view line) override;
  void ShowMessage(std::string_view text, MessageStyle style) override;
  bool AskYesNo(std::string_view text) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Puts the version into the title and the saved address into the box.
  void OnCreated();
  // Reads the address box once and runs the check on what it holds.
  CheckOutcome CheckTypedAddress();
  void OnCheckClicked();
  void OnLoginClicked();

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
  CheckRegistries registries_;
  AddressStore& store_;
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
