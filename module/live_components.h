// The map of live components: exactly the components created through this module's
// CreateComponent export and not yet removed after their destruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

#include "framework/interfaces/component_interfaces.h"

namespace orv {

struct ComponentRecord {
  ComponentId component_id;
  CreatorId creator_id;
  IComponent* pointer;
};

static_assert(sizeof(ComponentRecord) == (sizeof(void*) == 4 ? 12 : 16),
              "three 32-bit fields on the 32-bit target; the pointer is pointer-sized");
static_assert(offsetof(ComponentRecord, pointer) == 8, "the pointer follows the two ids");

using LiveComponentMap = std::map<IComponent*, ComponentRecord>;

// Constructed on first use; its destruction then runs at unload, after the entry point's
// detach handling (see the entry points).
LiveComponentMap& LiveComponents();

// Records (or overwrites) the entry of a component that CreateComponent made.
void RecordComponent(IComponent* component, ComponentId component_id, CreatorId creator_id);

// Called by Release after the component has been destroyed: the pointer is only a key. When
// the map becomes empty and `may_unload` is set, the factory is told that this module holds
// no component any more.
void RemoveComponent(IComponent* component, int may_unload);

// Releases every live component whose free-in-map flag is set.
void ReleaseComponentsMarkedFree();

// The number of live components, readable without the module lock.
std::uint32_t LiveComponentCount();

// The leak report written when the module is detached from the process.
void ReportLeakedComponents();

}  // namespace orv
