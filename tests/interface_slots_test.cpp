// Slot numbers of the interfaces that cross module boundaries. A slot that moves breaks every
// module on the other side without a compiler error anywhere, so each one is pinned here.
#include <gtest/gtest.h>

#include <vector>

#include "framework/component_factory.h"
#include "framework/property_bag_interface.h"
#include "framework/registry.h"
#include "framework/ui_layout_engine.h"
#include "framework/update_engine.h"
#include "module/component_interfaces.h"
#include "msgbox/message_box_interface.h"
#include "tests/support/vtable_slot.h"
#include "update/update_host.h"
#include "update/update_logic.h"

namespace orv::testing {
namespace {

using Slots = std::vector<std::ptrdiff_t>;

template <class... Members>
Slots SlotsOf(Members... members) {
  return {SlotOf(members)...};
}

TEST(InterfaceSlots, ComponentsFactoryRegistryAndTheWindow) {
  using C = IComponent;
  using F = IComponentFactory;
  using W = IUpdateLogic;
  EXPECT_EQ((Slots{0, 1, 2, 3, 4}),
            SlotsOf(&C::GetComponentID, &C::IsAlive, &C::Release, &C::GetFreeInMap, &C::SetFreeInMap));
  EXPECT_EQ((Slots{0, 1}), SlotsOf(&IEventSource::Advise, &IEventSource::Unadvise));
  EXPECT_EQ((Slots{8, 9, 13, 17}),
            SlotsOf(&F::CreateById, &F::GetLogConfig, &F::NotifyModuleEmpty, &F::ReleaseComponent));
  EXPECT_EQ((Slots{8, 9, 10, 11, 12}),
            SlotsOf(&W::Init, &W::StartUpdate, &W::SetShowProxyButton, &W::Close, &W::GetRegistryPath));
  EXPECT_EQ((Slots{11, 14}), SlotsOf(&IRegistry::OpenKey, &IRegistry::QueryValue));
  EXPECT_EQ((Slots{8}), SlotsOf(&IMessageBox::ShowMessage));
}

TEST(InterfaceSlots, PropertyBagIncludingItsOverloads) {
  using B = IPropertyBag;
  EXPECT_EQ((Slots{8, 12, 13, 17, 18, 19, 23, 24, 25, 29, 30, 35}),
            SlotsOf(&B::SetFloat, &B::SetInt, &B::GetInt, &B::GetString, &B::GetStringLength, &B::HasInt,
                    &B::HasFloat, &B::Clear, &B::RemoveInt, &B::RemoveString, &B::CopyAllTo, &B::CopyStringTo));
  EXPECT_EQ((Slots{36, 37, 38, 39, 40}),
            SlotsOf(static_cast<int (B::*)(std::uint32_t, std::int32_t)>(&B::SetValue),
                    static_cast<int (B::*)(std::uint32_t, const char*)>(&B::SetValue),
                    static_cast<int (B::*)(std::uint32_t, std::uint32_t)>(&B::SetValue),
                    static_cast<int (B::*)(std::uint32_t, std::uint8_t)>(&B::SetValue),
                    static_cast<int (B::*)(std::uint32_t, float)>(&B::SetValue)));
}

// The slots every object shares sit at the same numbers in every object interface.
template <class O>
Slots SharedSlots() {
  return SlotsOf(&O::Show, &O::Enable, &O::BeginUpdate, &O::EndUpdate, &O::GetFirstChild, &O::GetNextSibling,
                 &O::GetType);
}

TEST(InterfaceSlots, UILayoutEngineAndObjectsOfEveryType) {
  using E = IUILayoutEngine;
  EXPECT_EQ((Slots{8, 9, 13, 16, 24, 26, 27, 30, 31, 34}),
            SlotsOf(&E::LoadLayout, &E::AttachObject, &E::SetOwnerWindow, &E::ReleaseControl, &E::FindControl,
                    &E::GetControl, &E::GetRootObject, &E::AddEventSink, &E::RemoveEventSink, &E::GetProperties));
  EXPECT_EQ((Slots{0, 1}), SlotsOf(&IUIEventSink::GetSinkVersion, &IUIEventSink::OnUIEvent));
  const Slots shared = {21, 22, 28, 29, 33, 35, 47};
  EXPECT_EQ(shared, SharedSlots<IUIObject>());
  EXPECT_EQ(shared, SharedSlots<IUIWindowRoot>());
  EXPECT_EQ(shared, SharedSlots<IUIComboBox>());
  EXPECT_EQ((Slots{44, 65, 66}), SlotsOf(&IUIObject::GetText, &IUIStaticText::SetText, &IUIStaticText::Refresh));
  using P = IUIProgressBar;
  EXPECT_EQ((Slots{65, 67, 75}), SlotsOf(&P::SetRange, &P::SetPos, &P::SetBarOption));
  EXPECT_EQ((Slots{65, 72, 65, 71, 72}),
            SlotsOf(&IUIEditBox::SetEditText, &IUIEditBox::GetEditText, &IUIPasswordEditBox::SetEditText,
                    &IUIPasswordEditBox::GetPasswordText, &IUIPasswordEditBox::GetEditText));
  EXPECT_EQ((Slots{13, 65, 69, 70}), SlotsOf(&IUIWindowRoot::LoadFromLayout, &IUIWindowRoot::PrepareWindow,
                                             &IUIWindowRoot::DoModal, &IUIWindowRoot::EndModal));
  EXPECT_EQ((Slots{13, 70, 71}), SlotsOf(&IUIComboBox::GetControlId, &IUIComboBox::GetCurSel, &IUIComboBox::SetCurSel));
}

TEST(InterfaceSlots, UpdateEngineAndTheLaunchersSide) {
  using U = IUpdateEngineEvent;
  using H = IUpdateHost;
  EXPECT_EQ((Slots{8, 9, 10}),
            SlotsOf(&IUpdateEngine::RunUpdate, &IUpdateEngine::UseProxy, &IUpdateEngine::SetUpdateParams));
  EXPECT_EQ((Slots{0, 1, 2, 3, 4, 5, 6}),
            SlotsOf(&U::GetSinkVersion, &U::OnUpdateFinish, &U::OnUpdateFail, &U::OnUpdateSuccess, &U::OnNeedUpdate,
                    &U::OnUpdateProgress, &U::OnStageTiming));
  EXPECT_EQ((Slots{0, 2, 3, 4, 7}),
            SlotsOf(&H::GetClientInfo, &H::GetUIEngine, &H::GetProxyConfig, &H::SetProxyConfig, &H::ReportStat));
  EXPECT_EQ((Slots{1}), SlotsOf(&IUpdateWindowListener::OnStartGame));
}

}  // namespace
}  // namespace orv::testing
