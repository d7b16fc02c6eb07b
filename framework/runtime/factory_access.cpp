#include "framework/runtime/factory_access.h"

#include <cstdarg>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/debug_print.h"
#include "framework/interfaces/module_exports.h"
#include "framework/runtime/module_state.h"
#include "platform/debug_output.h"

namespace orv {
namespace {

constexpr const char* kFactoryDllName = "OrvFact.dll";

// "[Orvex_Error]" messages keep at most 1022 characters; those of the route that takes the
// already loaded factory DLL first keep 1023.
constexpr int kErrorCapacity = kMessageSize - 1;
constexpr int kLoadedFirstErrorCapacity = kMessageSize;

int ErrorCapacity(FactoryRoute route) {
  return route == FactoryRoute::kLoadedFirst ? kLoadedFirstErrorCapacity : kErrorCapacity;
}

// The DLL that the framework configuration names, loaded anew (another reference) each time;
// this module never unloads it.
platform::ModuleHandle LoadConfiguredFactoryModule(const char* registry) {
  char ini_path[kPathSize] = {};
  LocateIni(registry, ini_path, sizeof ini_path);
  char dll_path[kPathSize] = {};
  FactoryDllPath(ini_path, dll_path, sizeof dll_path);
  return platform::LoadModule(dll_path);
}

}  // namespace

void ErrorPrint(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VDebugPrintIn(kErrorCapacity, format, args);
  va_end(args);
}

void ErrorPrintLoadedFirst(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VDebugPrintIn(kLoadedFirstErrorCapacity, format, args);
  va_end(args);
}

platform::ModuleHandle LoadFactoryModule(const char* registry) {
  if (Module().factory_handle != nullptr) return Module().factory_handle;
  return LoadConfiguredFactoryModule(registry);
}

IComponent* CreateFromModule(platform::ModuleHandle module, ComponentId component_id,
                             FactoryRoute route) {
  auto create =
      reinterpret_cast<CreateComponentFn>(platform::FindExport(module, "CreateComponent"));
  if (create == nullptr) {
    DebugPrintIn(ErrorCapacity(route), "[Orvex_Error] Can't find CreateComponent().\n");
    return nullptr;
  }
  IComponent* component = create(component_id, 0);
  if (component == nullptr) {
    DebugPrintIn(ErrorCapacity(route),
                 "[Orvex_Error] CreateComponent(ComponentId=%u) return null.\n",
                 static_cast<unsigned>(component_id));
  }
  return component;
}

IComponentFactory* AcquireFactory(const char* registry, FactoryRoute route) {
  platform::ModuleHandle module = nullptr;
  if (route == FactoryRoute::kLoadedFirst) {
    module = platform::FindLoadedModule(kFactoryDllName);
    if (module == nullptr) module = LoadConfiguredFactoryModule(registry);
  } else {
    module = LoadFactoryModule(registry);
  }
  if (module == nullptr) {
    DebugPrintIn(ErrorCapacity(route), "[Orvex_Error] Load OrvFact.dll Fail.\n");
    return nullptr;
  }
  auto* factory =
      static_cast<IComponentFactory*>(CreateFromModule(module, kComponentFactoryId, route));
  if (factory == nullptr) {
    DebugPrintIn(ErrorCapacity(route),
                 "[Orvex_Error] Create ComponentFactory in OrvFact.dll Fail\n");
  }
  return factory;
}

IComponentFactory* AcquireLoadedFactory() {
  platform::ModuleHandle module = platform::FindLoadedModule(kFactoryDllName);
  if (module == nullptr) return nullptr;
  auto create =
      reinterpret_cast<CreateComponentFn>(platform::FindExport(module, "CreateComponent"));
  if (create == nullptr) {  // its two debugger lines are kept as written
    platform::WriteDebugOutput(
        "Can't find CreateComponent() in OrvFact.dll or OrvFact.dll is missed\n");
    return nullptr;
  }
  auto* factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
  if (factory == nullptr) {
    platform::WriteDebugOutput("Invoke CreateComponent() in OrvFact.dll return null.\n");
  }
  return factory;
}

}  // namespace orv
