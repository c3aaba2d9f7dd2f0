#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvel {

// Message box styles: an OK button with an exclamation or information icon,
// Yes and No with a question icon, or Retry and Cancel with an exclamation.
enum class MessageStyle : uint32_t { kQuestion = 36, kExclamation = 48, kRetry = 53, kInformation = 64 };

// What the window's workflows read from and show on. The real one is the
// main window; tests record the calls.
class CheckView {
 public:
  virtual ~CheckView() = default;

  // The address box's text as it reads now.
  virtual std::string AddressText() const = 0;
  virtual void SetAddressText(std::string_view text) = 0;
  virtual void ClearProgress() = 0;
  virtual void AddProgressLine(std::string_view line) = 0;
  // A modal box with one OK button, titled with the window's caption as it
  // reads now; returns when the user has closed it.
  virtual void ShowMessage(std::string_view text, MessageStyle style) = 0;
  // The same with two buttons (kQuestion or kRetry); true for Yes or Retry.
  virtual bool Ask(std::string_view text, MessageStyle style) = 0;
  // Asks `done` until it holds or `within` has passed, the window painting
  // meanwhile but, like under a modal box, taking no click; what `done` said
  // last.
  virtual bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds within) = 0;
};

}  // namespace orvel
