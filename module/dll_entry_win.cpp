// The DLL entry point. It only records the handle and prepares the lock (attach) or reports
// leaks and deletes the lock (detach); everything else waits for the host's calls.
#include <windows.h>

#include "module/module_entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: orv::OnProcessAttach(instance); break;
    case DLL_PROCESS_DETACH: orv::OnProcessDetach(); break;
    default: break;
  }
  return TRUE;
}
