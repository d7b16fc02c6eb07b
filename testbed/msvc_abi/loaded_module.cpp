#include "testbed/msvc_abi/loaded_module.h"

#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {

const char* Load(const char* path, LoadedModule* module) {
  *module = {};
  if (path[0] == '/') Append(module->path, sizeof module->path, "Z:");
  Append(module->path, sizeof module->path, path);
  for (char* at = module->path; *at != '\0'; ++at) {
    if (*at == '/') *at = '\\';
  }
  module->handle = LoadLibraryA(module->path);
  if (module->handle == nullptr) return "LoadLibrary";
  const char* missing = nullptr;
  void* dll = module->handle;
  FindExport(dll, "CreateComponent", &module->create, &missing);
  FindExport(dll, "GetComponentIDs", &module->component_ids, &missing);
  FindExport(dll, "SetDLLRegistry", &module->set_registry, &missing);
  FindExport(dll, "SetFactoryHandle", &module->set_factory, &missing);
  FindExport(dll, "OrvexDllFreeMap", &module->free_map, &missing);
  FindExport(dll, "OrvexDllCanUnloadNow", &module->can_unload, &missing);
  FindExport(dll, "OrvexSetDllSafe", &module->set_safe, &missing);
  return missing;
}

}  // namespace orv::msvc_abi
