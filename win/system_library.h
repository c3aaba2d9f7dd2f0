#pragma once

#include <windows.h>

namespace orvel {

// Makes the system folder the only place DLLs load from by name, for this
// process and every later LoadLibrary, so that nothing placed beside the
// program or in the current folder is ever loaded. First thing in main.
void LoadDllsFromSystemOnly();

// A DLL of the system, loaded from the system folder alone; null when it
// cannot be. Kept loaded for the life of the process.
HMODULE LoadSystemLibrary(const wchar_t* name);

// `name` exported by `module`, typed as F (e.g. decltype(&::ShellExecuteExW));
// null when the module or the export is missing.
template <typename F>
F LoadFunction(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace orvel
