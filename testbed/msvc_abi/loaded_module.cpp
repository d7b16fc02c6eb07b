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
  auto find = [&](auto& function, const char* name) {
    void* address = GetProcAddress(module->handle, name);
    memcpy(&function, &address, sizeof address);
    if (address == nullptr && missing == nullptr) missing = name;
  };
  find(module->create, "CreateComponent"), find(module->component_ids, "GetComponentIDs");
  find(module->set_registry, "SetDLLRegistry"), find(module->set_factory, "SetFactoryHandle");
  find(module->free_map, "OrvexDllFreeMap"), find(module->can_unload, "OrvexDllCanUnloadNow");
  find(module->set_safe, "OrvexSetDllSafe");
  return missing;
}

}  // namespace orv::msvc_abi
