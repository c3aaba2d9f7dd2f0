#pragma once

#include "check/check_view.h"
#include "check/saved_address.h"

namespace orvel {

// Start-up: the saved address into the view's box as it was saved, neither
// trimmed nor checked (the next check does that). No list line, no box.
void LoadSavedAddress(CheckView& view, const AddressStore& store);

}  // namespace orvel
