// The IComponent part shared by the testbed's components: they are the outside world of the
// module, so they are kept simple (no call guard, no live-component map). A component ends
// with Release, which deletes it at once.
#pragma once

#include <cstdint>

#include "module/component_interfaces.h"

namespace orv::testbed {

template <class Primary, ComponentId kComponentId>
class TestbedComponent : public Primary {
 public:
  std::uint32_t GetComponentID() override { return kComponentId; }
  int IsAlive() override { return 1; }
  void Release(int /*unused*/) override { delete this; }
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}

 protected:
  virtual ~TestbedComponent() = default;

 private:
  int free_in_map_ = 0;
};

}  // namespace orv::testbed
