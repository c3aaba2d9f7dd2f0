#include "check/check_outcome.h"

#include <algorithm>

namespace orvel {

bool CheckOutcome::Stopped() const { return diagnosis.Any() || std::ranges::any_of(ie_mode.notes, IsFinding); }

bool CheckOutcome::Saved() const { return std::ranges::find(completed, CheckStep::kSave) != completed.end(); }

}  // namespace orvel
