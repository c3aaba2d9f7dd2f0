#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvel::test {

// Every key below key as "path" and every value as "path|name=type:hex",
// sorted, texts in UTF-8: the layout of TestHive::Dump, so whole trees can be
// compared and diffed as sets of lines.
std::vector<std::string> RegistryLines(HKEY key);

}  // namespace orvel::test
