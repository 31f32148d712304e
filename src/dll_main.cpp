// Windows entry point: runs the library's start-up when a tool loads it.
#include <windows.h>

#include "frame/module_app.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) return dremoxa7::module_app().init_instance() ? TRUE : FALSE;
  return TRUE;
}
