// The proxy settings dialog, opened from the update window's Proxy button and used as a
// person uses it: choosing a type, typing, clicking, while the dialog runs modally.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_encoding.h"
#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

class ProxyDialog : public UpdateWindowTest {
 protected:
  using Step = std::function<void(IUILayoutEngine* dialog)>;

  void SetUp() override {
    UpdateWindowTest::SetUp();
    ASSERT_EQ(1, InitWindow());
  }

  // Presses Proxy; whenever the dialog waits for the person, the next step is done.
  void RunDialog(std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    testbed.control()->SetIdleHandler(&ProxyDialog::NextStep, this);
    ASSERT_TRUE(UpdateWindowTest::Press("C2_Button_Proxy"));
    Pump();
    testbed.control()->SetIdleHandler(nullptr, nullptr);
    EXPECT_EQ(steps_.size(), next_) << "the dialog ended before the person was done";
  }
  static bool NextStep(void* context) {
    auto* self = static_cast<ProxyDialog*>(context);
    if (self->next_ >= self->steps_.size()) return false;
    self->steps_[self->next_++](self->Dialog());
    return true;
  }

  IUILayoutEngine* Dialog() { return testbed.control()->FindEngineByWindow("Dlg_ProxySetting"); }
  testbed::ControlState DialogState(const char* name) {
    testbed::ControlState state{};
    EXPECT_TRUE(testbed.control()->GetControlState(Dialog(), name, &state)) << name;
    return state;
  }

  Step Choose(int position) {
    return [this, position](IUILayoutEngine* dialog) {
      EXPECT_TRUE(testbed.control()->SelectComboItem(dialog, "Dlg_Type_Combo", position));
    };
  }
  Step Type(const char* control, std::string text) {
    return [this, control, text](IUILayoutEngine* dialog) {
      EXPECT_TRUE(testbed.control()->TypeText(dialog, control, text.c_str())) << control;
    };
  }
  Step PressButton(const char* control) {
    return [this, control](IUILayoutEngine* dialog) {
      EXPECT_TRUE(testbed.control()->Click(dialog, control)) << control;
    };
  }
  // A step that looks at the dialog and does nothing else: the loop then asks again.
  Step Look(std::function<void()> look) {
    return [look](IUILayoutEngine*) { look(); };
  }

  void StoreEntry(int index, std::uint32_t type, const char* address, std::uint16_t port) {
    ProxyEntry& entry = host.proxy.entries[index];
    entry.type = type;
    std::strcpy(entry.address, address);
    entry.port = port;
    std::snprintf(entry.user, sizeof entry.user, "user%d", index);
  }

  std::vector<Step> steps_;
  size_t next_ = 0;
};

const char* const kFields[] = {"Dlg_Adress_Edt", "Dlg_Port_Edt", "Dlg_User_Edt", "Dlg_Pass_Edt",
                               "Dlg_Domain_Edt", "Dlg_ProxySetting_Test_Btn"};

TEST_F(ProxyDialog, StartsFromTheStoredEntryAndFollowsTheChosenType) {
  StoreEntry(1, kProxySocks5, "10.0.0.1", 1080);
  StoreEntry(2, kProxyHttp, "10.0.0.2", 3128);
  host.proxy.selected_index = 0;  // stored: no proxy
  RunDialog({
      Look([&] {
        EXPECT_EQ(0, DialogState("Dlg_Type_Combo").selection);
        EXPECT_STREQ("0", DialogState("Dlg_Port_Edt").text);
        EXPECT_STREQ("", DialogState("Dlg_Adress_Edt").text);
        for (const char* field : kFields) EXPECT_EQ(0, DialogState(field).enabled) << field;
      }),
      Choose(2),
      Look([&] {
        EXPECT_STREQ("10.0.0.2", DialogState("Dlg_Adress_Edt").text);
        EXPECT_STREQ("3128", DialogState("Dlg_Port_Edt").text);
        EXPECT_STREQ("user2", DialogState("Dlg_User_Edt").text);
        for (const char* field : kFields) EXPECT_EQ(1, DialogState(field).enabled) << field;
      }),
      Choose(1),
      Look([&] { EXPECT_STREQ("10.0.0.1", DialogState("Dlg_Adress_Edt").text); }),
      Choose(0),
      Look([&] {
        for (const char* field : kFields) EXPECT_EQ(0, DialogState(field).enabled) << field;
      }),
      PressButton("Dlg_ProxySetting_Cancel_Btn"),
  });
  EXPECT_EQ(0, std::count(host.calls.begin(), host.calls.end(), "SetProxyConfig"));
}

TEST_F(ProxyDialog, OkStoresTheEntryAtTheChosenPositionOnly) {
  StoreEntry(0, kProxyNone, "", 0);
  StoreEntry(1, kProxySocks5, "10.0.0.1", 1080);
  host.proxy.selected_index = 1;
  SetScenario("option\n");
  ASSERT_EQ(1, update->StartUpdate(1));  // the window now holds the launcher's record
  RunDialog({Choose(2), Type("Dlg_Adress_Edt", "192.168.1.20"), Type("Dlg_Port_Edt", " 8080 "),
             Type("Dlg_User_Edt", "me"), Type("Dlg_Pass_Edt", "secret"),
             Type("Dlg_Domain_Edt", "corp"), PressButton("Dlg_ProxySetting_OK_Btn")});
  ASSERT_EQ(1, std::count(host.calls.begin(), host.calls.end(), "SetProxyConfig"));
  EXPECT_EQ(2, host.stored.selected_index);
  const ProxyEntry& entry = host.stored.entries[2];
  EXPECT_EQ(kProxyHttp, entry.type);
  EXPECT_STREQ("192.168.1.20", entry.address);
  EXPECT_EQ(8080, entry.port);
  EXPECT_STREQ("me", entry.user);
  EXPECT_STREQ("secret", entry.password);
  EXPECT_STREQ("corp", entry.domain);
  EXPECT_EQ(0, std::memcmp(&host.proxy.entries[0], &host.stored.entries[0], sizeof(ProxyEntry)));
  EXPECT_EQ(0, std::memcmp(&host.proxy.entries[1], &host.stored.entries[1], sizeof(ProxyEntry)));

  // The next start hands the stored entry to the engine.
  host.proxy = host.stored;
  testbed.ClearJournal();
  ASSERT_EQ(1, update->StartUpdate(1));
  EXPECT_EQ(1, JournalCount("UpdateEngine.UseProxy(3,192.168.1.20,8080)"));
}

TEST_F(ProxyDialog, TextsThatDoNotFitKeepTheFieldAndPortsKeepTheirLowBits) {
  StoreEntry(2, kProxyHttp, "old.example", 3128);
  host.proxy.selected_index = 2;
  const auto run_with_port = [&](const char* port) {
    RunDialog({Type("Dlg_Port_Edt", port), PressButton("Dlg_ProxySetting_OK_Btn")});
    return host.stored.entries[2].port;
  };
  EXPECT_EQ(70000 & 0xFFFF, run_with_port("70000"));
  EXPECT_EQ(65535, run_with_port("-1"));
  EXPECT_EQ(0, run_with_port("x1"));
  EXPECT_EQ(12, run_with_port("12ab"));
  EXPECT_EQ(0, run_with_port(std::string(128, '1').c_str()));
  EXPECT_EQ(1, run_with_port(("  " + std::string(125, '0') + "1 ").c_str()));
  EXPECT_EQ(65535, run_with_port("99999999999"));  // the largest 32-bit long, low bits kept
  EXPECT_EQ(8080, run_with_port("\t8080"));

  RunDialog({Type("Dlg_Adress_Edt", std::string(40, 'a')), Type("Dlg_User_Edt", "reader"),
             PressButton("Dlg_ProxySetting_OK_Btn")});
  EXPECT_STREQ("old.example", host.stored.entries[2].address);
  EXPECT_STREQ("reader", host.stored.entries[2].user);
}

TEST_F(ProxyDialog, CancelAndCloseChangeNothingAndTheLayoutLoadsOnce) {
  RunDialog({PressButton("Dlg_ProxySetting_Cancel_Btn")});
  RunDialog({Choose(2), PressButton("Dlg_Close_Btn")});
  EXPECT_EQ(0, std::count(host.calls.begin(), host.calls.end(), "SetProxyConfig"));
  const std::string calls = testbed.control()->UICalls(Dialog());
  const auto count = [&calls](const std::string& what) {
    int n = 0;
    for (size_t at = calls.find(what); at != std::string::npos; at = calls.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(1, count("LoadLayout("));
  EXPECT_EQ(1, count("AddEventSink("));
  EXPECT_EQ(2, count("Dlg_ProxySetting.DoModal"));
}

TEST_F(ProxyDialog, AnUnknownStoredTypeLeavesTheCombo) {
  StoreEntry(0, 2, "10.9.9.9", 99);  // type 2 is never written by the dialog
  host.proxy.selected_index = 0;
  RunDialog({Choose(1), PressButton("Dlg_ProxySetting_Cancel_Btn")});
  RunDialog({Look([&] {
               EXPECT_EQ(1, DialogState("Dlg_Type_Combo").selection);
               EXPECT_STREQ("10.9.9.9", DialogState("Dlg_Adress_Edt").text);
             }),
             PressButton("Dlg_ProxySetting_Cancel_Btn")});
}

}  // namespace
}  // namespace orv::testing
