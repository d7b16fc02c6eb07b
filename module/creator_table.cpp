#include "module/creator_table.h"

#include "framework/runtime/module_state.h"

namespace orv {
namespace {

// Plain data, zero before any static constructor runs: registrations may arrive from any
// translation unit's static initialisation.
CreatorEntry g_entries[kMaxCreators];
std::uint32_t g_count;

}  // namespace

void RegisterCreator(ComponentId component_id, ComponentCreator creator) {
  ModuleLockHold hold;
  if (g_count >= kMaxCreators || component_id == 0 || creator == nullptr) return;
  g_entries[g_count++] = CreatorEntry{component_id, creator};
}

ComponentCreator FindCreator(ComponentId component_id) {
  ModuleLockHold hold;
  for (std::uint32_t i = 0; i < g_count; ++i) {
    if (g_entries[i].component_id == component_id) return g_entries[i].creator;
  }
  return nullptr;
}

std::uint32_t ListCreatorIds(std::uint32_t* ids, std::uint32_t capacity) {
  ModuleLockHold hold;
  if (ids != nullptr) {
    for (std::uint32_t i = 0; i < g_count && i < capacity; ++i) ids[i] = g_entries[i].component_id;
  }
  return g_count;
}

}  // namespace orv
