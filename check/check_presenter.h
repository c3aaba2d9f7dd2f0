#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "check/check_outcome.h"
#include "check/check_view.h"

namespace orvel {

// The one place a check's outcome becomes the texts people read: the
// window shows them in its list and boxes, the console program prints them.

struct Box {
  std::string_view text;
  MessageStyle style;
};

// The progress lines, in the order the check took its steps.
std::vector<std::string> CheckLines(const CheckOutcome& outcome);
// The box that closes the check.
Box CheckBox(const CheckOutcome& outcome);
// The box Login shows after the check's when the browser did not start.
Box BrowserFailedBox();

// One line per finding of the diagnosis, in the order the check reports them.
std::vector<std::string> FindingLines(const ZoneDiagnosis& diagnosis);
// What a note on Edge's IE mode says; the lines of those that are findings.
std::string_view IeModeLine(IeModeNote note);
std::vector<std::string> IeModeFindingLines(const std::vector<IeModeNote>& notes);
// What the list and the box say when `step` fails.
std::string_view FailureText(CheckStep step);

// A fresh list with the outcome's lines, the address as checked in the box,
// then the closing box.
void ShowCheck(CheckView& view, const CheckOutcome& outcome);

}  // namespace orvel
