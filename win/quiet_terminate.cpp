// Linked into the shipped programs only (see orvel_shipped_program).
//
// Nothing in them catches an exception, so one that escapes ends the process.
// libstdc++'s handler for that prints the exception's demangled type first,
// and with it brings its demangler and printf: a sixth of a program. This one
// ends the process at once, as an MSVC build does.
#include <cstdlib>
#include <exception>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
