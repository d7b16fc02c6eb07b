// Slot numbers of the interfaces that cross module boundaries. A slot that moves breaks every
// module on the other side without a compiler error anywhere, so each one is pinned here.
#include <gtest/gtest.h>

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/registry.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/component_interfaces.h"
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

TEST(InterfaceSlots, UILayoutEngine) {
  EXPECT_EQ(8, SlotOf(&IUILayoutEngine::LoadLayout));
  EXPECT_EQ(9, SlotOf(&IUILayoutEngine::AttachObject));
  EXPECT_EQ(13, SlotOf(&IUILayoutEngine::SetOwnerWindow));
  EXPECT_EQ(16, SlotOf(&IUILayoutEngine::ReleaseControl));
  EXPECT_EQ(24, SlotOf(&IUILayoutEngine::FindControl));
  EXPECT_EQ(26, SlotOf(&IUILayoutEngine::GetControl));
  EXPECT_EQ(27, SlotOf(&IUILayoutEngine::GetRootObject));
  EXPECT_EQ(30, SlotOf(&IUILayoutEngine::AddEventSink));
  EXPECT_EQ(31, SlotOf(&IUILayoutEngine::RemoveEventSink));
  EXPECT_EQ(34, SlotOf(&IUILayoutEngine::GetProperties));
  EXPECT_EQ(0, SlotOf(&IUIEventSink::GetSinkVersion));
  EXPECT_EQ(1, SlotOf(&IUIEventSink::OnUIEvent));
}

// The slots every object shares sit at the same numbers in every object interface.
template <class Object>
void ExpectSharedSlots() {
  EXPECT_EQ(21, SlotOf(&Object::Show));
  EXPECT_EQ(22, SlotOf(&Object::Enable));
  EXPECT_EQ(28, SlotOf(&Object::BeginUpdate));
  EXPECT_EQ(29, SlotOf(&Object::EndUpdate));
  EXPECT_EQ(33, SlotOf(&Object::GetFirstChild));
  EXPECT_EQ(35, SlotOf(&Object::GetNextSibling));
  EXPECT_EQ(47, SlotOf(&Object::GetType));
}

TEST(InterfaceSlots, UIObjectsOfEveryType) {
  ExpectSharedSlots<IUIObject>();
  ExpectSharedSlots<IUIWindowRoot>();
  ExpectSharedSlots<IUIComboBox>();
  EXPECT_EQ(44, SlotOf(&IUIObject::GetText));
  EXPECT_EQ(65, SlotOf(&IUIStaticText::SetText));
  EXPECT_EQ(66, SlotOf(&IUIStaticText::Refresh));
  EXPECT_EQ(65, SlotOf(&IUIProgressBar::SetRange));
  EXPECT_EQ(67, SlotOf(&IUIProgressBar::SetPos));
  EXPECT_EQ(75, SlotOf(&IUIProgressBar::SetBarOption));
  EXPECT_EQ(65, SlotOf(&IUIEditBox::SetEditText));
  EXPECT_EQ(72, SlotOf(&IUIEditBox::GetEditText));
  EXPECT_EQ(65, SlotOf(&IUIPasswordEditBox::SetEditText));
  EXPECT_EQ(71, SlotOf(&IUIPasswordEditBox::GetPasswordText));
  EXPECT_EQ(72, SlotOf(&IUIPasswordEditBox::GetEditText));
  EXPECT_EQ(13, SlotOf(&IUIWindowRoot::LoadFromLayout));
  EXPECT_EQ(65, SlotOf(&IUIWindowRoot::PrepareWindow));
  EXPECT_EQ(69, SlotOf(&IUIWindowRoot::DoModal));
  EXPECT_EQ(70, SlotOf(&IUIWindowRoot::EndModal));
  EXPECT_EQ(13, SlotOf(&IUIComboBox::GetControlId));
  EXPECT_EQ(70, SlotOf(&IUIComboBox::GetCurSel));
  EXPECT_EQ(71, SlotOf(&IUIComboBox::SetCurSel));
}

TEST(InterfaceSlots, UpdateEngineAndItsEvents) {
  EXPECT_EQ(8, SlotOf(&IUpdateEngine::RunUpdate));
  EXPECT_EQ(9, SlotOf(&IUpdateEngine::UseProxy));
  EXPECT_EQ(10, SlotOf(&IUpdateEngine::SetUpdateParams));
  EXPECT_EQ(0, SlotOf(&IUpdateEngineEvent::GetSinkVersion));
  EXPECT_EQ(1, SlotOf(&IUpdateEngineEvent::OnUpdateFinish));
  EXPECT_EQ(2, SlotOf(&IUpdateEngineEvent::OnUpdateFail));
  EXPECT_EQ(3, SlotOf(&IUpdateEngineEvent::OnUpdateSuccess));
  EXPECT_EQ(4, SlotOf(&IUpdateEngineEvent::OnNeedUpdate));
  EXPECT_EQ(5, SlotOf(&IUpdateEngineEvent::OnUpdateProgress));
  EXPECT_EQ(6, SlotOf(&IUpdateEngineEvent::OnStageTiming));
}

TEST(InterfaceSlots, LauncherSideAndMessageBox) {
  EXPECT_EQ(0, SlotOf(&IUpdateHost::GetClientInfo));
  EXPECT_EQ(2, SlotOf(&IUpdateHost::GetUIEngine));
  EXPECT_EQ(3, SlotOf(&IUpdateHost::GetProxyConfig));
  EXPECT_EQ(4, SlotOf(&IUpdateHost::SetProxyConfig));
  EXPECT_EQ(7, SlotOf(&IUpdateHost::ReportStat));
  EXPECT_EQ(1, SlotOf(&IUpdateWindowListener::OnStartGame));
  EXPECT_EQ(8, SlotOf(&IMessageBox::ShowMessage));
}

}  // namespace
}  // namespace orv::testing
