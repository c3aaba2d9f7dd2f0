#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check/browser_launcher.h"
#include "check/check_site.h"
#include "check/check_view.h"
#include "check/edge_restart.h"
#include "check/saved_address.h"

namespace orvel::test {

// What a surface does with typed text: reads it once and checks it.
inline CheckOutcome CheckTyped(std::string_view typed, CheckRegistries registries, AddressStore* store) {
  return CheckSite({.address = ReadSiteAddress(typed), .registries = std::move(registries), .store = store});
}

struct ShownMessage {
  std::string text;
  MessageStyle style;
  bool operator==(const ShownMessage&) const = default;
};

// A CheckView that keeps what was shown on it.
class RecordingView final : public CheckView {
 public:
  explicit RecordingView(std::string address = {}) : address(std::move(address)) {}

  std::string AddressText() const override { return address; }
  void SetAddressText(std::string_view text) override { address = std::string(text); }
  void ClearProgress() override { lines.clear(); }
  void AddProgressLine(std::string_view line) override { lines.emplace_back(line); }
  void ShowMessage(std::string_view text, MessageStyle style) override {
    messages.push_back(ShownMessage{std::string(text), style});
  }
  // Answers from `answers`, in turn, then No.
  bool Ask(std::string_view text, MessageStyle style) override {
    messages.push_back(ShownMessage{std::string(text), style});
    return asked < answers.size() && answers[asked++];
  }
  // Returns at once, with what `done` says then.
  bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds within) override {
    waits.push_back(within);
    return done();
  }

  std::vector<bool> answers;
  size_t asked = 0;
  std::string address;
  std::vector<std::string> lines;
  std::vector<ShownMessage> messages;
  std::vector<std::chrono::milliseconds> waits;
};

// An AddressStore that keeps the saved addresses, or fails with a status;
// Load gives the last one saved.
class RecordingStore final : public AddressStore {
 public:
  std::string Load() const override { return saved.empty() ? std::string() : saved.back(); }
  int32_t Save(std::string_view address) override {
    if (fail_with != 0) return fail_with;
    saved.emplace_back(address);
    return 0;
  }

  int32_t fail_with = 0;
  std::vector<std::string> saved;
};

struct StartedProgram {
  std::string file;
  std::string parameters;
  bool operator==(const StartedProgram&) const = default;
};

// A BrowserLauncher that starts nothing: it keeps what it was asked to start
// and answers `starts`. `on_start` runs first, to look at the other doubles
// at that moment.
class RecordingLauncher final : public BrowserLauncher {
 public:
  bool Start(std::string_view file, std::string_view parameters) override {
    if (on_start) on_start();
    started.push_back(StartedProgram{std::string(file), std::string(parameters)});
    return starts;
  }

  bool starts = true;
  std::function<void()> on_start;
  std::vector<StartedProgram> started;
};

// An Edge of the desktop user as the test sets it: its browser processes,
// and how many waits pass before a window closes (none: it never does) and
// whether it ends on its own or only when terminated, or not at all; it keeps
// what it was asked to do.
class StandInEdge final : public RunningEdge {
 public:
  std::vector<EdgeBrowser> ListBrowsers() override { return browsers; }
  void EndSessions() override { asked.emplace_back("end sessions"); }
  bool Exited() override {
    if (windows_close_after && *windows_close_after > 0) --*windows_close_after;
    return terminated || (ends_on_its_own && !ShowsAWindow());
  }
  bool ShowsAWindow() override {
    return std::ranges::any_of(browsers, [](const EdgeBrowser& browser) { return browser.has_window; }) &&
           windows_close_after != 0;
  }
  bool Terminate() override {
    asked.emplace_back("terminate");
    terminated = can_terminate;
    return can_terminate;
  }

  std::vector<EdgeBrowser> browsers;
  std::optional<int> windows_close_after = 0;
  bool ends_on_its_own = true;
  bool can_terminate = true;
  bool terminated = false;
  std::vector<std::string> asked;
};

}  // namespace orvel::test
