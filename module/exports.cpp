// The seven functions a host calls by name. No exception leaves any of them.
#include <cstring>

#include "framework/bounded_string.h"
#include "framework/debug_print.h"
#include "framework/interfaces/module_exports.h"
#include "framework/runtime/module_state.h"
#include "module/creator_table.h"
#include "module/live_components.h"

using orv::ComponentCreator;
using orv::DebugPrint;
using orv::IComponent;

extern "C" {

ORV_EXPORT IComponent* ORV_CDECL CreateComponent(std::uint32_t component_id,
                                                 std::uint32_t creator_id) {
  try {
    ComponentCreator creator = orv::FindCreator(component_id);
    if (creator == nullptr) {
      DebugPrint("Orvex[Error]: Can't find the factory method of Component\n");
      DebugPrint("Orvex[Error]: ComponentID=%d CreatorID=%u", static_cast<int>(component_id),
                 static_cast<unsigned>(creator_id));
      return nullptr;
    }
    // The creator runs outside the module lock; only the record is made under it.
    IComponent* component = nullptr;
    try {
      component = creator();
    } catch (...) {
      component = nullptr;
    }
    if (component == nullptr) {
      DebugPrint("Orvex[Error]:CreateComponent method return NULL.\n");
      DebugPrint("Orvex[Error]: ComponentID=%d CreatorID=%u", static_cast<int>(component_id),
                 static_cast<unsigned>(creator_id));
      return nullptr;
    }
    try {
      orv::RecordComponent(component, component_id, creator_id);
    } catch (...) {
      // Out of memory for its record: the host gets nothing, so the component ends here.
      component->Release(0);
      return nullptr;
    }
    return component;
  } catch (...) {
    return nullptr;
  }
}

ORV_EXPORT std::uint32_t ORV_CDECL GetComponentIDs(std::uint32_t* ids, std::uint32_t capacity) {
  try {
    return orv::ListCreatorIds(ids, capacity);
  } catch (...) {
    return 0;
  }
}

ORV_EXPORT int ORV_CDECL SetDLLRegistry(const char* path) {
  try {
    orv::ModuleLockHold hold;
    char* stored = orv::Module().registry_path;
    if (path == nullptr || !orv::Fits(path, orv::kPathSize)) {
      stored[0] = '\0';
    } else {
      orv::kStringFunctions.StrCopy(stored, orv::kPathSize, path);
    }
  } catch (...) {
  }
  return 0;
}

ORV_EXPORT void ORV_CDECL SetFactoryHandle(orv::platform::ModuleHandle handle) {
  orv::Module().factory_handle = handle;
}

ORV_EXPORT void ORV_CDECL OrvexSetDllSafe(int safe) { orv::Module().dll_safe = safe; }

ORV_EXPORT int ORV_CDECL OrvexDllCanUnloadNow() { return orv::LiveComponentCount() == 0 ? 1 : 0; }

ORV_EXPORT void ORV_CDECL OrvexDllFreeMap() {
  try {
    orv::ReleaseComponentsMarkedFree();
  } catch (...) {
  }
}

}  // extern "C"
