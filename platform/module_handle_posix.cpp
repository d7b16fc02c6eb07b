#include <dlfcn.h>

#include "platform/module_handle.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

ModuleHandle ModuleContaining(const void* address_inside) {
  Dl_info info{};
  if (dladdr(address_inside, &info) == 0 || info.dli_fname == nullptr) return nullptr;
  // RTLD_NOLOAD takes a reference on the already loaded object; give it back at once so that
  // asking for a handle never keeps a module loaded. The handle stays valid while it is loaded.
  void* handle = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle;
}

ModuleHandle LoadModule(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
  return dlopen(ToPosixPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}

ModuleHandle FindLoadedModule(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  // Matches a loaded object by its soname, which is the Windows file name on this platform.
  void* handle = dlopen(ToPosixPath(name).c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle;
}

void* FindExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return dlsym(module, name);
}

void UnloadModule(ModuleHandle module) {
  if (module != nullptr) dlclose(module);
}

}  // namespace orv::platform
