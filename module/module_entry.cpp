#include "module/module_entry.h"

#include "framework/runtime/module_state.h"
#include "module/live_components.h"

namespace orv {

void OnProcessAttach(platform::ModuleHandle module) {
  Module().module_handle = module;
  InitializeModuleLock();
}

void OnProcessDetach() {
  if (Module().lock_initialized == 0) return;
  ReportLeakedComponents();
  DestroyModuleLock();
}

}  // namespace orv
