#include "text/trim.h"

namespace orvel {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

}  // namespace

std::string TrimAtNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string TrimBlanks(std::string_view text) {
  while (true) {
    if (!text.empty() && text.front() == ' ') {
      text.remove_prefix(1);
    } else if (text.substr(0, kIdeographicSpace.size()) == kIdeographicSpace) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  while (true) {
    if (!text.empty() && text.back() == ' ') {
      text.remove_suffix(1);
    } else if (text.size() >= kIdeographicSpace.size() &&
               text.substr(text.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  return std::string(text);
}

}  // namespace orvel
