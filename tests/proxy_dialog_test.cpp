// The proxy settings dialog, opened from the update window's Proxy button and used as a
// person uses it: choosing a type, typing, clicking, while the dialog runs modally.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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

  // Presses Proxy; whenever the dialog waits for the person, the next step is done (a step
  // that only looks at the dialog leaves it waiting for the next).
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
    return [=](IUILayoutEngine* d) {
      EXPECT_TRUE(testbed.control()->SelectComboItem(d, "Dlg_Type_Combo", position));
    };
  }
  Step Type(const char* control, std::string text) {
    return [=](IUILayoutEngine* d) {
      EXPECT_TRUE(testbed.control()->TypeText(d, control, text.c_str())) << control;
    };
  }
  Step PressButton(const char* control) {
    return
        [=](IUILayoutEngine* d) { EXPECT_TRUE(testbed.control()->Click(d, control)) << control; };
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

const char* const kFields[] = {"Dlg_Adress_Edt", "Dlg_Port_Edt",   "Dlg_User_Edt",
                               "Dlg_Pass_Edt",   "Dlg_Domain_Edt", "Dlg_ProxySetting_Test_Btn"};

TEST_F(ProxyDialog, StartsFromTheStoredEntryFollowsTheChosenTypeAndCancelStoresNothing) {
  StoreEntry(1, kProxySocks5, "10.0.0.1", 1080);
  StoreEntry(2, kProxyHttp, "10.0.0.2", 3128);  // selected: entry 0, no proxy
  RunDialog({
      [&](IUILayoutEngine*) {
        EXPECT_EQ(0, DialogState("Dlg_Type_Combo").selection);
        EXPECT_STREQ("0", DialogState("Dlg_Port_Edt").text);
        EXPECT_STREQ("", DialogState("Dlg_Adress_Edt").text);
        for (const char* field : kFields) EXPECT_EQ(0, DialogState(field).enabled) << field;
      },
      // Without a proxy type a Test click, were one to reach the dialog, tests nothing.
      [&](IUILayoutEngine* d) {
        EXPECT_TRUE(testbed.control()->SendEvent(d, "Dlg_ProxySetting_Test_Btn", kEventClick));
      },
      Choose(2),
      [&](IUILayoutEngine*) {
        EXPECT_STREQ("10.0.0.2", DialogState("Dlg_Adress_Edt").text);
        EXPECT_STREQ("3128", DialogState("Dlg_Port_Edt").text);
        EXPECT_STREQ("user2", DialogState("Dlg_User_Edt").text);
        for (const char* field : kFields) EXPECT_EQ(1, DialogState(field).enabled) << field;
      },
      Choose(1),
      [&](IUILayoutEngine*) { EXPECT_STREQ("10.0.0.1", DialogState("Dlg_Adress_Edt").text); },
      Choose(0),
      [&](IUILayoutEngine*) {
        for (const char* field : kFields) EXPECT_EQ(0, DialogState(field).enabled) << field;
      },
      PressButton("Dlg_ProxySetting_Cancel_Btn"),
  });
  RunDialog({Choose(1), PressButton("Dlg_Close_Btn")});
  // A stored type the dialog never writes (2) leaves the combo as it was; the entry is shown.
  StoreEntry(0, 2, "10.9.9.9", 99);
  RunDialog({[&](IUILayoutEngine*) {
               EXPECT_EQ(1, DialogState("Dlg_Type_Combo").selection);
               EXPECT_STREQ("10.9.9.9", DialogState("Dlg_Adress_Edt").text);
             },
             PressButton("Dlg_ProxySetting_Cancel_Btn")});
  // Cancel and Close store nothing; the layout is loaded once for every run.
  EXPECT_EQ(0, std::count(host.calls.begin(), host.calls.end(), "SetProxyConfig"));
  EXPECT_EQ(0, JournalCount("ProxyTest5"));
  const std::string calls = testbed.control()->UICalls(Dialog());
  EXPECT_EQ(1, Occurrences(calls, "LoadLayout("));
  EXPECT_EQ(1, Occurrences(calls, "AddEventSink("));
  EXPECT_EQ(3, Occurrences(calls, "Dlg_ProxySetting.DoModal"));
}

// Whatever the window's own record holds (nothing before any start, the launcher's record
// after a start, a zeroed one after a start whose entry was unusable), and whatever the
// launcher answers when asked for its record, OK stores the dialog's entry at the chosen
// position and leaves the launcher's other entries as they were.
TEST_F(ProxyDialog, OkStoresTheEntryAtTheChosenPositionOnly) {
  StoreEntry(1, kProxySocks5, "10.0.0.1", 1080);
  StoreEntry(2, kProxyHttp, "10.0.0.2", 3128);
  const ProxyConfig launchers = host.proxy;
  SetScenario("option\n");
  // No start, and a launcher that fills the record but answers 0; no start; a start with
  // entry 1; one with nothing usable.
  for (const int selected : {-2, -1, 1, 0}) {
    SCOPED_TRACE(selected);
    host.proxy_result = selected == -2 ? 0 : 1;
    host.proxy = launchers;
    host.proxy.selected_index = selected < 0 ? 0 : selected;
    if (selected >= 0) {
      ASSERT_EQ(1, update->StartUpdate(1));
    }
    host.calls.clear();
    RunDialog({Choose(2), Type("Dlg_Adress_Edt", "192.168.1.20"), Type("Dlg_Port_Edt", " 8080 "),
               Type("Dlg_User_Edt", "me"), Type("Dlg_Pass_Edt", "secret"),
               Type("Dlg_Domain_Edt", "corp"), PressButton("Dlg_ProxySetting_OK_Btn")});
    ASSERT_EQ(1, std::count(host.calls.begin(), host.calls.end(), "SetProxyConfig"));
    EXPECT_EQ(2, host.proxy.selected_index);
    // Every entry counted, though the launcher's record had none.
    EXPECT_EQ(std::uint32_t{kProxyEntryCount}, host.proxy.entry_count);
    const ProxyEntry& entry = host.proxy.entries[2];
    EXPECT_EQ(kProxyHttp, entry.type);
    EXPECT_STREQ("192.168.1.20", entry.address);
    EXPECT_EQ(8080, entry.port);
    EXPECT_STREQ("me", entry.user);
    EXPECT_STREQ("secret", entry.password);
    EXPECT_STREQ("corp", entry.domain);
    EXPECT_EQ(0, std::memcmp(launchers.entries, host.proxy.entries, 2 * sizeof(ProxyEntry)));
  }
}

// The launcher lets go of the window while the dialog still has events queued: a combo
// change and a second OK behind the OK that ends the modal run. Neither may reach the freed
// window, dialog or dialog engine.
TEST_F(ProxyDialog, EventsQueuedBehindOkSurviveTheWindowsRelease) {
  // Released in the window's OK handling (the first read from the OK on), then in the dialog's
  // combo handling (the second).
  for (const int release_at : {1, 2}) {
    SCOPED_TRACE(release_at);
    FreshWindow();
    int reads = -1;  // the dialog's own reads as it opens are not counted
    host.during = [&](const std::string& call) {
      if (call == "GetProxyConfig" && reads >= 0 && ++reads == release_at) ReleaseWindow();
    };
    RunDialog({[&](IUILayoutEngine* dialog) {
      reads = 0;  // counted from the OK on
      EXPECT_TRUE(testbed.control()->Click(dialog, "Dlg_ProxySetting_OK_Btn"));
      EXPECT_TRUE(testbed.control()->SelectComboItem(dialog, "Dlg_Type_Combo", 1));
      EXPECT_TRUE(testbed.control()->Click(dialog, "Dlg_ProxySetting_OK_Btn"));
    }});
    host.during = nullptr;
    EXPECT_EQ(nullptr, update);
    EXPECT_EQ(nullptr, Dialog());  // the dialog's engine went with the window
  }
}

TEST_F(ProxyDialog, TextsThatDoNotFitKeepTheFieldAndPortsKeepTheirLowBits) {
  StoreEntry(2, kProxyHttp, "old.example", 3128);
  host.proxy.selected_index = 2;
  // Read as atol reads it (the port_text fuzz target holds every case), its low 16 bits kept.
  const struct {
    std::string typed;
    int port;
  } ports[] = {{"70000", 70000 & 0xFFFF}, {"-1", 65535}, {"x1", 0}, {" \t 5 ", 5}};
  for (const auto& p : ports) {
    RunDialog({Type("Dlg_Port_Edt", p.typed), PressButton("Dlg_ProxySetting_OK_Btn")});
    EXPECT_EQ(p.port, host.proxy.entries[2].port) << p.typed;
  }

  RunDialog({Type("Dlg_Adress_Edt", std::string(40, 'a')), Type("Dlg_User_Edt", "reader"),
             PressButton("Dlg_ProxySetting_OK_Btn")});
  EXPECT_STREQ("old.example", host.proxy.entries[2].address);
  EXPECT_STREQ("reader", host.proxy.entries[2].user);
}

}  // namespace
}  // namespace orv::testing
