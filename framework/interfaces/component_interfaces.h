// The two interfaces that every component of the framework carries, and the numbers that name
// component classes. Shared by the module, the testbed and the tests: the slot order is the
// binary contract with modules we never see, so nothing may be inserted, removed or reordered.
//
// Interfaces have no virtual destructor (a component is ended only through Release) and
// no exception ever crosses them.
#pragma once

#include <cstdint>

namespace orv {

using ComponentId = std::uint32_t;
using CreatorId = std::uint32_t;

// Component classes that this module creates or asks the factory for.
enum : ComponentId {
  kUpdateLogicId = 1374,
  kComponentFactoryId = 361,
  kRegistryId = 991,
  kUpdateEngineId = 1014,
  kUILayoutEngineId = 186,
  kMessageBoxId = 1378,
  kHttpTestConnectionId = 55,
  kSocks5TestConnectionId = 56,
  kPropertyBagId = 282,
};

class IComponent {
 public:
  virtual std::uint32_t GetComponentID() = 0;  // slot 0
  virtual int IsAlive() = 0;                   // slot 1
  virtual void Release(int unused) = 0;        // slot 2, callers pass 0
  virtual int GetFreeInMap() = 0;              // slot 3
  virtual void SetFreeInMap(int value) = 0;    // slot 4
  virtual void Reserved1() = 0;                // slot 5
  virtual void Reserved2() = 0;                // slot 6
  virtual void Reserved3() = 0;                // slot 7
  // Slots 8 onwards belong to each component class's own primary interface.

 protected:
  ~IComponent() = default;
};

class IEventSource {
 public:
  // A null listener is ignored; advising a listener again replaces its cookie.
  virtual void Advise(void* listener, std::uint32_t cookie) = 0;  // slot 0
  virtual void Unadvise(void* listener) = 0;                      // slot 1

 protected:
  ~IEventSource() = default;
};

// A component's second interface. Interfaces carry no data, so in every component the
// IEventSource part directly follows the primary interface's table pointer; this is how
// code that holds only the IComponent pointer reaches it.
inline IEventSource* EventSourceOf(IComponent* component) {
  if (component == nullptr) return nullptr;
  return reinterpret_cast<IEventSource*>(reinterpret_cast<char*>(component) + sizeof(void*));
}

// The creator of a component class: a new component, or null on failure.
using ComponentCreator = IComponent* (*)();

}  // namespace orv
