// The DLL entry point. It only records the handle and prepares the lock (attach) or reports
// leaks and deletes the lock (detach); everything else waits for the host's calls.
#include "platform/dll_entry_win.h"
#include "module/module_entry.h"

extern "C" int __stdcall DllMain(orv::platform::ModuleHandle instance,
                                 orv::platform::DllEntryReason reason, void* /*reserved*/) {
  switch (reason) {
    case orv::platform::kDllProcessAttach: orv::OnProcessAttach(instance); break;
    case orv::platform::kDllProcessDetach: orv::OnProcessDetach(); break;
    default: break;
  }
  return 1;
}
