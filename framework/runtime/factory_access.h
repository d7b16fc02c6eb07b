// Reaching the framework's component factory in the factory DLL "OrvFact.dll".
#pragma once

#include "framework/interfaces/component_factory.h"
#include "platform/module_handle.h"

namespace orv {

// How a smart pointer finds the factory DLL.
enum class FactoryRoute {
  kStandard,     // the handle given by SetFactoryHandle, else the DLL named by the configuration
  kLoadedFirst,  // an "OrvFact.dll" already loaded in the process, else as kStandard without
                 // looking at the given handle
};

// The "[Orvex_Error]" messages: at most 1022 characters, or 1023 for the loaded-first route.
void ErrorPrint(const char* format, ...);
void ErrorPrintLoadedFirst(const char* format, ...);

// The factory DLL's handle, or null. A null registry string means the default Orvex.ini.
platform::ModuleHandle LoadFactoryModule(const char* registry);

// Calls the module's exported "CreateComponent"(id, 0).
IComponent* CreateFromModule(platform::ModuleHandle module, ComponentId component_id,
                             FactoryRoute route = FactoryRoute::kStandard);

IComponentFactory* AcquireFactory(const char* registry,
                                  FactoryRoute route = FactoryRoute::kStandard);

// The route of the logger: only an "OrvFact.dll" that is already loaded; no configuration is
// read and nothing is loaded.
IComponentFactory* AcquireLoadedFactory();

}  // namespace orv
