// A component module loaded as a host loads it, with its seven exports resolved: by file name
// from the folder of the test executable, or by a full (Windows-form) path. Unloaded on
// destruction.
#pragma once

#include <string>

#include "framework/interfaces/module_exports.h"
#include "platform/module_handle.h"

namespace orv::testing {

// The full path of `file_name` beside the running test executable.
std::string BesideExecutable(const char* file_name);

class LoadedModule {
 public:
  explicit LoadedModule(const std::string& name_or_path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  platform::ModuleHandle handle() const { return handle_; }
  bool loaded() const { return handle_ != nullptr; }

  // Drops the reference taken at construction; the module is unloaded with it.
  void Unload();

  template <class Fn>
  Fn Find(const char* name) const {
    return reinterpret_cast<Fn>(platform::FindExport(handle_, name));
  }

  CreateComponentFn CreateComponent = nullptr;
  GetComponentIDsFn GetComponentIDs = nullptr;
  SetDLLRegistryFn SetDLLRegistry = nullptr;
  SetFactoryHandleFn SetFactoryHandle = nullptr;
  OrvexDllFreeMapFn OrvexDllFreeMap = nullptr;
  OrvexDllCanUnloadNowFn OrvexDllCanUnloadNow = nullptr;
  OrvexSetDllSafeFn OrvexSetDllSafe = nullptr;

 private:
  platform::ModuleHandle handle_ = nullptr;
};

// Tells LeakSanitizer that a component deliberately left behind at unload is not a leak of
// the test (only in sanitizer builds; elsewhere nothing happens).
void IgnoreDeliberateLeak(const void* object);

}  // namespace orv::testing
