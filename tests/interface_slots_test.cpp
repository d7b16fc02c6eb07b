// Slot numbers of the interfaces that cross module boundaries. A slot that moves breaks every
// module on the other side without a compiler error anywhere, so each one is pinned here.
#include <gtest/gtest.h>

#include "framework/component_factory.h"
#include "module/component_interfaces.h"
#include "tests/support/vtable_slot.h"
#include "update/update_logic.h"

namespace orv::testing {
namespace {

TEST(InterfaceSlots, ComponentAndEventSource) {
  EXPECT_EQ(0, SlotOf(&IComponent::GetComponentID));
  EXPECT_EQ(1, SlotOf(&IComponent::IsAlive));
  EXPECT_EQ(2, SlotOf(&IComponent::Release));
  EXPECT_EQ(3, SlotOf(&IComponent::GetFreeInMap));
  EXPECT_EQ(4, SlotOf(&IComponent::SetFreeInMap));
  EXPECT_EQ(5, SlotOf(&IComponent::Reserved1));
  EXPECT_EQ(7, SlotOf(&IComponent::Reserved3));
  EXPECT_EQ(0, SlotOf(&IEventSource::Advise));
  EXPECT_EQ(1, SlotOf(&IEventSource::Unadvise));
}

TEST(InterfaceSlots, ComponentFactory) {
  EXPECT_EQ(8, SlotOf(&IComponentFactory::CreateById));
  EXPECT_EQ(9, SlotOf(&IComponentFactory::GetLogConfig));
  EXPECT_EQ(13, SlotOf(&IComponentFactory::NotifyModuleEmpty));
  EXPECT_EQ(17, SlotOf(&IComponentFactory::ReleaseComponent));
}

TEST(InterfaceSlots, UpdateWindow) {
  EXPECT_EQ(8, SlotOf(&IUpdateLogic::Init));
  EXPECT_EQ(9, SlotOf(&IUpdateLogic::StartUpdate));
  EXPECT_EQ(10, SlotOf(&IUpdateLogic::SetShowProxyButton));
  EXPECT_EQ(11, SlotOf(&IUpdateLogic::Close));
  EXPECT_EQ(12, SlotOf(&IUpdateLogic::GetRegistryPath));
}

}  // namespace
}  // namespace orv::testing
