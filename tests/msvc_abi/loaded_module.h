// The shipped module loaded as a launcher loads it: LoadLibrary, then its exports by name.
#pragma once

#include "framework/interfaces/module_exports.h"

namespace orv::msvc_abi {

struct LoadedModule {
  char path[520] = {};  // as given to LoadLibraryA
  void* handle = nullptr;
  CreateComponentFn create = nullptr;
  GetComponentIDsFn component_ids = nullptr;
  SetDLLRegistryFn set_registry = nullptr;
  SetFactoryHandleFn set_factory = nullptr;
  OrvexDllFreeMapFn free_map = nullptr;
  OrvexDllCanUnloadNowFn can_unload = nullptr;
  OrvexSetDllSafeFn set_safe = nullptr;
};

// The module at `path` (a Windows path, or a POSIX one that Wine maps to drive Z:), with
// every export found; false (and a failure printed) when any is missing.
bool Load(const char* path, LoadedModule* module);

// Creates 1374 through the exports after checking the component list, as a launcher does.
IComponent* CreateUpdateWindow(const LoadedModule& module);

}  // namespace orv::msvc_abi
