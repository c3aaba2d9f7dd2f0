#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

// Message box styles: an OK button with an exclamation or information icon,
// or Yes and No with a question icon.
enum class MessageStyle : uint32_t { kQuestion = 36, kExclamation = 48, kInformation = 64 };

// What a check's outcome is shown on. The real one is the main window; tests
// record the calls.
class CheckView {
 public:
  virtual ~CheckView() = default;

  virtual void SetAddressText(std::string_view text) = 0;
  virtual void ClearProgress() = 0;
  virtual void AddProgressLine(std::string_view line) = 0;
  // A modal box with one OK button, titled with the window's caption as it
  // reads now; returns when the user has closed it.
  virtual void ShowMessage(std::string_view text, MessageStyle style) = 0;
  // The same with Yes and No buttons (kQuestion); true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
};

}  // namespace orvel
