#include "module/live_components.h"

#include <atomic>
#include <cinttypes>

#include "framework/debug_print.h"
#include "framework/interfaces/component_factory.h"
#include "framework/runtime/module_state.h"
#include "framework/runtime/orvex_ptr.h"

namespace orv {
namespace {

// Mirrors the map's size so that OrvexDllCanUnloadNow can answer without the lock.
std::atomic<std::uint32_t> g_live_count{0};

void UpdateCount() { g_live_count.store(static_cast<std::uint32_t>(LiveComponents().size())); }

void NotifyFactoryModuleEmpty() {
  // The factory is reached through a pointer that does not release it: the factory outlives
  // the notification, and marking it free-in-map lets OrvexDllFreeMap let go of it later.
  TOrvexFixedPtr<IComponentFactory, kComponentFactoryId, false> factory(Module().registry_path);
  if (factory.get() != nullptr) factory->NotifyModuleEmpty(Module().module_handle);
}

}  // namespace

LiveComponentMap& LiveComponents() {
  static LiveComponentMap map;
  return map;
}

void RecordComponent(IComponent* component, ComponentId component_id, CreatorId creator_id) {
  ModuleLockHold hold;
  LiveComponents()[component] = ComponentRecord{component_id, creator_id, component};
  UpdateCount();
}

void RemoveComponent(IComponent* component, int may_unload) {
  ModuleLockHold hold;
  LiveComponentMap& map = LiveComponents();
  auto entry = map.find(component);
  if (entry != map.end()) {
    map.erase(entry);
    UpdateCount();
  } else {
    DebugPrint("Orvex[Error]: To remove a component not exist\n");  // kept as written
    DebugPrint("Orvex[Error]: IComponent* = 0x%0*" PRIXPTR "\n",
               static_cast<int>(2 * sizeof(void*)), reinterpret_cast<std::uintptr_t>(component));
  }
  if (map.empty() && may_unload != 0) NotifyFactoryModuleEmpty();
}

void ReleaseComponentsMarkedFree() {
  ModuleLockHold hold;
  LiveComponentMap& map = LiveComponents();
  if (map.empty()) return;
  // A release removes its entry (through RemoveComponent, re-entering the lock), which
  // invalidates the iterator: start over from the first entry whenever that happened. Entries
  // whose flag is 0 or whose destruction is deferred stay, so the walk still ends.
  auto it = map.begin();
  while (it != map.end()) {
    IComponent* const key = it->first;
    IComponent* const component = it->second.pointer;
    if (component->GetFreeInMap() != 0) component->Release(0);
    it = map.find(key);
    it = (it != map.end()) ? std::next(it) : map.begin();
  }
}

std::uint32_t LiveComponentCount() { return g_live_count.load(); }

void ReportLeakedComponents() {
  ModuleLockHold hold;
  const LiveComponentMap& map = LiveComponents();
  if (map.empty()) return;
  const char* separator =
      "Orvex[Error]:=================================================================\n";
  DebugPrint(separator);
  DebugPrint("Orvex[Error]:Found leak Orvex components. Count:%d\n", static_cast<int>(map.size()));
  for (const auto& entry : map) {
    const ComponentRecord& record = entry.second;
    DebugPrint("Orvex[Error]:ComponentID:0x%08x CreatorID:0x%08x Pointer:0x%08" PRIxPTR "\n",
               static_cast<unsigned>(record.component_id), static_cast<unsigned>(record.creator_id),
               reinterpret_cast<std::uintptr_t>(record.pointer));
  }
  DebugPrint(separator);
}

}  // namespace orv
