#pragma once

#include <windows.h>

namespace orvel {

// Makes the system folder the only place DLLs load from by name, for this
// process and every later LoadLibrary, so that nothing placed beside the
// program or in the current folder is ever loaded. First thing in main.
void LoadDllsFromSystemOnly();

// `name` exported by the system DLL `dll`; null when either is missing.
FARPROC LoadSystemProc(const wchar_t* dll, const char* name);

// The same, typed as F (e.g. decltype(&::ShellExecuteExW)): the one way the
// programs reach a function they do not import.
template <typename F>
F LoadSystemFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(LoadSystemProc(dll, name)));
}

// COM on this thread for the scope, ole32 loaded only when one is made.
// Uninitialises only when the initialisation succeeded.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  using Uninitialize = void(WINAPI*)();
  Uninitialize uninitialize_ = nullptr;
};

}  // namespace orvel
