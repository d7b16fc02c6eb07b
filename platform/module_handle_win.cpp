#include <windows.h>

#include <type_traits>

#include "platform/dll_entry_win.h"
#include "platform/module_handle.h"

namespace orv::platform {

// The module's DllMain is declared without <windows.h> (dll_entry_win.h); here its declaration
// meets the system's types, so that a wrong width, constant or calling convention stops the
// build instead of the loader.
static_assert(std::is_same_v<decltype(&DllMain), BOOL(WINAPI*)(ModuleHandle, DWORD, LPVOID)>);
static_assert(sizeof(HINSTANCE) == sizeof(ModuleHandle));
static_assert(kDllProcessAttach == DLL_PROCESS_ATTACH && kDllProcessDetach == DLL_PROCESS_DETACH);

ModuleHandle ModuleContaining(const void* address_inside) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address_inside), &module)) {
    return nullptr;
  }
  return module;
}

ModuleHandle LoadModule(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
  return LoadLibraryA(path);
}

ModuleHandle FindLoadedModule(const char* name) {
  if (name == nullptr || *name == '\0') return nullptr;
  return GetModuleHandleA(name);
}

void* FindExport(ModuleHandle module, const char* name) {
  if (module == nullptr || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(ModuleHandle module) {
  if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace orv::platform
