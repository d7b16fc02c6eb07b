// The functions a host resolves by name in a component module. Declared here so that the
// module, the testbed's modules and the tests agree on their exact signatures.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "platform/abi.h"
#include "platform/module_handle.h"

extern "C" {

ORV_EXPORT orv::IComponent* ORV_CDECL CreateComponent(std::uint32_t component_id,
                                                      std::uint32_t creator_id);
ORV_EXPORT std::uint32_t ORV_CDECL GetComponentIDs(std::uint32_t* ids, std::uint32_t capacity);
ORV_EXPORT int ORV_CDECL SetDLLRegistry(const char* path);
ORV_EXPORT void ORV_CDECL SetFactoryHandle(orv::platform::ModuleHandle handle);
ORV_EXPORT void ORV_CDECL OrvexDllFreeMap();
ORV_EXPORT int ORV_CDECL OrvexDllCanUnloadNow();
ORV_EXPORT void ORV_CDECL OrvexSetDllSafe(int safe);

}  // extern "C"

namespace orv {

// The same signatures as pointer types, for code that looks the exports up at run time.
using CreateComponentFn = IComponent*(ORV_CDECL*)(std::uint32_t, std::uint32_t);
using GetComponentIDsFn = std::uint32_t(ORV_CDECL*)(std::uint32_t*, std::uint32_t);
using SetDLLRegistryFn = int(ORV_CDECL*)(const char*);
using SetFactoryHandleFn = void(ORV_CDECL*)(platform::ModuleHandle);
using OrvexDllFreeMapFn = void(ORV_CDECL*)();
using OrvexDllCanUnloadNowFn = int(ORV_CDECL*)();
using OrvexSetDllSafeFn = void(ORV_CDECL*)(int);

}  // namespace orv
