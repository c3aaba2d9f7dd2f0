#include "text/trim.h"

namespace orvel {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

}  // namespace

std::string TrimAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string TrimBlanks(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = text.starts_with(' ') || text.starts_with(kIdeographicSpace);
    if (trimmed) text.remove_prefix(text.starts_with(' ') ? 1 : kIdeographicSpace.size());
  }
  for (bool trimmed = true; trimmed;) {
    trimmed = text.ends_with(' ') || text.ends_with(kIdeographicSpace);
    if (trimmed) text.remove_suffix(text.ends_with(' ') ? 1 : kIdeographicSpace.size());
  }
  return std::string(text);
}

}  // namespace orvel
