// Slot numbers of the interfaces that cross module boundaries. A slot that moves breaks every
// module on the other side without a compiler error anywhere, so each one is pinned here.
#include <gtest/gtest.h>

#include "framework/component_factory.h"
#include "framework/property_bag_interface.h"
#include "framework/registry.h"
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

TEST(InterfaceSlots, RegistryComponent) {
  EXPECT_EQ(11, SlotOf(&IRegistry::OpenKey));
  EXPECT_EQ(14, SlotOf(&IRegistry::QueryValue));
}

TEST(InterfaceSlots, PropertyBagIncludingItsOverloads) {
  EXPECT_EQ(8, SlotOf(&IPropertyBag::SetFloat));
  EXPECT_EQ(12, SlotOf(&IPropertyBag::SetInt));
  EXPECT_EQ(13, SlotOf(&IPropertyBag::GetInt));
  EXPECT_EQ(17, SlotOf(&IPropertyBag::GetString));
  EXPECT_EQ(18, SlotOf(&IPropertyBag::GetStringLength));
  EXPECT_EQ(19, SlotOf(&IPropertyBag::HasInt));
  EXPECT_EQ(23, SlotOf(&IPropertyBag::HasFloat));
  EXPECT_EQ(24, SlotOf(&IPropertyBag::Clear));
  EXPECT_EQ(25, SlotOf(&IPropertyBag::RemoveInt));
  EXPECT_EQ(29, SlotOf(&IPropertyBag::RemoveString));
  EXPECT_EQ(30, SlotOf(&IPropertyBag::CopyAllTo));
  EXPECT_EQ(35, SlotOf(&IPropertyBag::CopyStringTo));
  using Bag = IPropertyBag;
  EXPECT_EQ(36, SlotOf(static_cast<int (Bag::*)(std::uint32_t, std::int32_t)>(&Bag::SetValue)));
  EXPECT_EQ(37, SlotOf(static_cast<int (Bag::*)(std::uint32_t, const char*)>(&Bag::SetValue)));
  EXPECT_EQ(38, SlotOf(static_cast<int (Bag::*)(std::uint32_t, std::uint32_t)>(&Bag::SetValue)));
  EXPECT_EQ(39, SlotOf(static_cast<int (Bag::*)(std::uint32_t, std::uint8_t)>(&Bag::SetValue)));
  EXPECT_EQ(40, SlotOf(static_cast<int (Bag::*)(std::uint32_t, float)>(&Bag::SetValue)));
}

}  // namespace
}  // namespace orv::testing
