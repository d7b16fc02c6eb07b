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

// Loads the module at `path` (a Windows path, or a POSIX one that Wine maps to drive Z:) and
// finds every export. Null when all is there; else what is missing: "LoadLibrary" or the
// first export not found (the module then stays loaded, `module->handle` set).
const char* Load(const char* path, LoadedModule* module);

}  // namespace orv::msvc_abi
