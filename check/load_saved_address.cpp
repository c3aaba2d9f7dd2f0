#include "check/load_saved_address.h"

namespace orvel {

void LoadSavedAddress(CheckView& view, const AddressStore& store) { view.SetAddressText(store.Load()); }

}  // namespace orvel
