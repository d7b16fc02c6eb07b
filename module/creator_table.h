// The table of component creators that static initialisation fills: at most 512 entries,
// kept in registration order, never removed. Ids need not be unique; lookups take the first.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"

namespace orv {

constexpr std::uint32_t kMaxCreators = 512;

struct CreatorEntry {
  ComponentId component_id;
  ComponentCreator creator;
};

static_assert(sizeof(CreatorEntry) == 2 * sizeof(void*),
              "two 32-bit fields on the 32-bit target: the id, then the creator");

// Appends an entry; a full table, id 0 or a null creator drops the registration silently.
void RegisterCreator(ComponentId component_id, ComponentCreator creator);

// The first creator registered for the id, or null.
ComponentCreator FindCreator(ComponentId component_id);

// Writes the ids of the first min(count, capacity) entries and returns the number of entries;
// `ids` is not touched when capacity is 0.
std::uint32_t ListCreatorIds(std::uint32_t* ids, std::uint32_t capacity);

// A namespace-scope object of this type registers a creator during static initialisation.
struct CreatorRegistration {
  CreatorRegistration(ComponentId component_id, ComponentCreator creator) {
    RegisterCreator(component_id, creator);
  }
};

}  // namespace orv
