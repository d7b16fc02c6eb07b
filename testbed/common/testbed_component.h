// The IComponent and IEventSource parts shared by the testbed's components. They are the
// outside world of the module, so they are kept simple (no call guard, no live-component
// map): a component ends with Release, which deletes it at once.
//
// Like every framework component, they carry IEventSource as their second interface, right
// after the primary interface, where the module looks for it.
#pragma once

#include <cstdint>
#include <map>

#include "framework/interfaces/component_interfaces.h"

namespace orv::testbed {

template <class Primary, ComponentId kComponentId>
class TestbedComponent : public Primary, public IEventSource {
 public:
  std::uint32_t GetComponentID() override { return kComponentId; }
  int IsAlive() override { return 1; }
  void Release(int /*unused*/) override { delete this; }
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}

  void Advise(void* listener, std::uint32_t cookie) override {
    if (listener == nullptr) return;
    listeners_[listener] = cookie;
  }
  void Unadvise(void* listener) override { listeners_.erase(listener); }

 protected:
  virtual ~TestbedComponent() = default;
  const std::map<void*, std::uint32_t>& listeners() const { return listeners_; }

 private:
  int free_in_map_ = 0;
  std::map<void*, std::uint32_t> listeners_;
};

}  // namespace orv::testbed
