// The update window as a launcher runs it, for tests: the testbed's OrvFact.dll as the
// framework, the module created through the factory (which loads it as its configuration
// says), a recording host with the testbed's window engine as the launcher's window, and the
// launcher's ini files beside the test executable.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"
#include "platform/debug_capture.h"
#include "platform/module_handle.h"
#include "platform/text_encoding.h"
#include "tests/support/harness.h"

namespace orv::testing {

using Stats = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // (code, value) as reported

// The launcher's side, recording every call the window makes on it.
class RecordingHost final : public IUpdateHost, public IUpdateWindowListener {
 public:
  int GetClientInfo(ClientInfo* info) override {
    if (info != nullptr && client_info_result != 0) info->client_field = 77;
    return Called("GetClientInfo", client_info_result);
  }
  IUILayoutEngine* GetUIEngine() override { return Called("GetUIEngine", ui); }
  int GetProxyConfig(ProxyConfig* config) override {
    if (config != nullptr) *config = proxy;
    return Called("GetProxyConfig", proxy_result);
  }
  int SetProxyConfig(ProxyConfig* config) override {
    if (config != nullptr) proxy = *config;
    return Called("SetProxyConfig", 1);
  }
  int ReportStat(std::uint32_t code, std::uint32_t value) override {
    stats.emplace_back(code, value);
    return Called("ReportStat", 1);
  }
  void OnStartGame() override {
    ++start_game_count;
    if (on_start_game) on_start_game();
  }
  IUpdateWindowListener* listener() { return this; }

  std::vector<std::string> calls;  // "GetUIEngine", ...
  Stats stats;
  IUILayoutEngine* ui = nullptr;  // what GetUIEngine answers
  int client_info_result = 1;
  ProxyConfig proxy{};   // what GetProxyConfig hands out, and SetProxyConfig stores
  int proxy_result = 1;  // what GetProxyConfig answers
  int start_game_count = 0;
  std::function<void()> on_start_game;  // runs inside OnStartGame
  // Runs inside every call above, with its name: a launcher that lets go of the window from
  // inside its own callbacks.
  std::function<void(const std::string& call)> during;

 private:
  template <class Result>
  Result Called(const char* call, Result result) {
    calls.push_back(call);
    if (during) during(call);
    return result;
  }
};

inline int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class UpdateWindowTest : public ::testing::Test {
 public:
  // More of the framework's configuration (the fixture's Orvex.ini, which the testbed factory
  // reads for its log, its proxy test target, ...), in place before the window is created.
  virtual std::string MoreConfiguration() { return ""; }

  void SetUp() override {
    ASSERT_TRUE(testbed.ready());
    folder.Write("Orvex.ini",
                 "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") + "\n" + MoreConfiguration());
    ini = folder.PathOf("Orvex.ini");
    testbed.Configure(ini);
    window_ui = testbed.control()->CreateWindowEngine("MainWindow");
    host.ui = window_ui;
    update = CreateWindow();
    ASSERT_NE(nullptr, update);
  }
  void TearDown() override {
    ReleaseWindow();
    Pump();
    window_ui->Release(0);
    EXPECT_EQ(std::string::npos,
              debug.Take().find("Orvex[Assert]"));  // whatever the test did to it
  }

  // Another window, through the factory as the launcher gets one.
  IUpdateLogic* CreateWindow() {
    return static_cast<IUpdateLogic*>(testbed.factory()->CreateById(kUpdateLogicId, ini.c_str()));
  }
  // Init into the host, advise the host as listener (unless the host let go of the window).
  int InitWindow(std::uint32_t embedded = 0) {
    const int result = update->Init(&host, embedded);
    if (update != nullptr) EventSourceOf(update)->Advise(host.listener(), 0);
    return result;
  }
  // Init, then a start whose engine plays `scenario` as the loop runs.
  void Begin(const std::string& scenario, std::uint32_t argument = 1, std::uint32_t embedded = 0) {
    ASSERT_EQ(1, InitWindow(embedded));
    SetScenario(scenario);
    ASSERT_EQ(1, update->StartUpdate(argument));
  }
  // Releases the window now (it is released at the end of the test otherwise).
  void ReleaseWindow() {
    if (update != nullptr && testbed.factory()->ReleaseComponent(update) == 0) update->Release(0);
    update = nullptr;
  }
  // A window of its own for what follows: nothing an earlier one kept (its engine, its last
  // argument) carries over.
  void FreshWindow() {
    ReleaseWindow();
    update = CreateWindow();
    ASSERT_EQ(1, InitWindow());
  }
  void SetScenario(const std::string& text) {
    ASSERT_TRUE(testbed.control()->SetScenario(text.c_str())) << text;
  }
  void Pump() { testbed.control()->RunUntilIdle(); }
  // A person's click: only on a control that is on screen and enabled.
  bool Click(const char* control) { return testbed.control()->Click(window_ui, control); }
  // A click event, whatever the control's state (while connecting, for instance, the window
  // is hidden behind the connecting dialog).
  bool Press(const char* control) {
    return testbed.control()->SendEvent(window_ui, control, kEventClick);
  }
  // How many connecting dialogs exist, and whether the newest is on screen (its window renders).
  int ConnectingDialogs() {
    int count = 0;
    for (int i = 0; i < testbed.control()->UIEngineCount(); ++i) {
      count += Occurrences(testbed.control()->UICalls(testbed.control()->UIEngineAt(i)),
                           "Dlg_Connecting.tpf") > 0;
    }
    return count;
  }
  bool ConnectingShown() {
    return *testbed.control()->Render(testbed.control()->FindEngineByWindow("Dlg_Connecting")) !=
           '\0';
  }
  std::string UICalls() { return testbed.control()->UICalls(window_ui); }
  testbed::ControlState State(const char* name) {  // visible -1: no such control
    testbed::ControlState state{};
    if (!testbed.control()->GetControlState(window_ui, name, &state)) state.visible = -1;
    return state;
  }
  bool Visible(const char* name) { return State(name).visible == 1; }
  bool Enabled(const char* name) { return State(name).enabled == 1; }
  // A static's current text (or layout text), in UTF-8.
  std::string Text(const char* name) { return platform::GbkToUtf8(State(name).text); }
  // How often `line` occurs in the factory's journal; whether it holds `lines` in this order.
  int JournalCount(const std::string& line) { return Occurrences(testbed.Journal(), line); }
  bool JournalInOrder(const std::vector<std::string>& lines) {
    const std::string journal = testbed.Journal();
    size_t at = 0;
    for (const std::string& line : lines) {
      if ((at = journal.find(line, at)) == std::string::npos) return false;
      at += line.size();
    }
    return true;
  }
  // The module's own export, without taking a reference on it.
  int ModuleCanUnloadNow() {
    auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(platform::FindExport(
        platform::FindLoadedModule("OrvUpdateUI.dll"), "OrvexDllCanUnloadNow"));
    return can_unload ? can_unload() : -1;
  }

  platform::DebugCapture debug;
  LauncherFiles files;
  TempFolder folder;
  TestbedSession testbed;
  RecordingHost host;
  IUILayoutEngine* window_ui = nullptr;
  IUpdateLogic* update = nullptr;
  std::string ini;  // the registry string the factory hands the module
};

}  // namespace orv::testing
