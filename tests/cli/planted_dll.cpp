// Built as urlmon.dll, a DLL the console program loads at run time, to be
// placed beside the program: loaded at all, it ends the process with a code
// the program never exits with.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) ExitProcess(86);
  return TRUE;
}
