#include "text/ascii.h"

#include <algorithm>

namespace orvel {
namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameFolded(char a, char b) { return AsciiUpper(a) == AsciiUpper(b); }

}  // namespace

std::string FoldName(std::string_view name) {
  std::string folded(name);
  std::ranges::transform(folded, folded.begin(), AsciiUpper);
  return folded;
}

bool EqualsFolded(std::string_view a, std::string_view b) { return std::ranges::equal(a, b, SameFolded); }

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsFolded(text.substr(0, prefix.size()), prefix);
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace orvel
