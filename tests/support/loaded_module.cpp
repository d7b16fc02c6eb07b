#include "tests/support/loaded_module.h"

#include <string>

#include "platform/process_info.h"

#if defined(ORV_WITH_LSAN)
#include <sanitizer/lsan_interface.h>
#endif

namespace orv::testing {

std::string BesideExecutable(const char* file_name) {
  char executable[1024] = {};
  platform::GetExecutableFileName(executable, sizeof executable);
  std::string path = executable;
  const size_t cut = path.find_last_of('\\');
  path.erase(cut == std::string::npos ? 0 : cut + 1);
  return path + file_name;
}

LoadedModule::LoadedModule(const std::string& name_or_path)
    : handle_(platform::LoadModule(name_or_path.find('\\') == std::string::npos
                                       ? BesideExecutable(name_or_path.c_str()).c_str()
                                       : name_or_path.c_str())) {
  CreateComponent = Find<CreateComponentFn>("CreateComponent");
  GetComponentIDs = Find<GetComponentIDsFn>("GetComponentIDs");
  SetDLLRegistry = Find<SetDLLRegistryFn>("SetDLLRegistry");
  SetFactoryHandle = Find<SetFactoryHandleFn>("SetFactoryHandle");
  OrvexDllFreeMap = Find<OrvexDllFreeMapFn>("OrvexDllFreeMap");
  OrvexDllCanUnloadNow = Find<OrvexDllCanUnloadNowFn>("OrvexDllCanUnloadNow");
  OrvexSetDllSafe = Find<OrvexSetDllSafeFn>("OrvexSetDllSafe");
}

LoadedModule::~LoadedModule() { Unload(); }

void LoadedModule::Unload() {
  platform::UnloadModule(handle_);
  handle_ = nullptr;
}

void IgnoreDeliberateLeak(const void* object) {
#if defined(ORV_WITH_LSAN)
  __lsan_ignore_object(object);
#else
  (void)object;
#endif
}

}  // namespace orv::testing
