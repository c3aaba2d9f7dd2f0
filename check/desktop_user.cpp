#include "check/desktop_user.h"

#include "text/ascii.h"

namespace orvel {

bool IsOtherDesktopUser(std::string_view program_sid, std::string_view desktop_sid) {
  // The "S-" of a SID's text form may come in either case.
  return !program_sid.empty() && !desktop_sid.empty() && !EqualsFolded(program_sid, desktop_sid);
}

}  // namespace orvel
