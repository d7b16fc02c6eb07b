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

#include "platform/debug_capture.h"
#include "tests/support/launcher_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/testbed_session.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"

namespace orv::testing {

// The launcher's side, recording every call the window makes on it.
class RecordingHost final : public IUpdateHost, public IUpdateWindowListener {
 public:
  int GetClientInfo(ClientInfo* info) override;
  IUILayoutEngine* GetUIEngine() override;
  int GetProxyConfig(ProxyConfig* config) override;
  int SetProxyConfig(ProxyConfig* config) override;
  int ReportStat(std::uint32_t code, std::uint32_t value) override;
  void OnStartGame() override;

  IUpdateWindowListener* listener() { return this; }

  std::vector<std::string> calls;                                 // "GetUIEngine", ...
  std::vector<std::pair<std::uint32_t, std::uint32_t>> stats;     // ReportStat
  IUILayoutEngine* ui = nullptr;                                  // what GetUIEngine answers
  int client_info_result = 1;
  std::uint32_t client_field = 77;
  ProxyConfig proxy{};                                            // what GetProxyConfig hands out
  ProxyConfig stored{};                                           // what SetProxyConfig received
  int start_game_count = 0;
  std::function<void()> on_start_game;                            // runs inside OnStartGame
  // Runs inside every call above, with its name: a launcher that lets go of the window from
  // inside its own callbacks.
  std::function<void(const std::string& call)> during;
};

class UpdateWindowTest : public ::testing::Test {
 public:
  // More of the framework's configuration (the fixture's Orvex.ini, which the testbed factory
  // reads for its log, its proxy test target, ...), in place before the window is created.
  virtual std::string MoreConfiguration() { return ""; }

  void SetUp() override;
  void TearDown() override;

  // Another window, through the factory as the launcher gets one.
  IUpdateLogic* CreateWindow();
  // Init into the host, advise the host as listener.
  int InitWindow(std::uint32_t embedded = 0);
  void SetScenario(const std::string& text);
  void Pump() { testbed.control()->RunUntilIdle(); }
  // A person's click: only on a control that is on screen and enabled.
  bool Click(const char* control) { return testbed.control()->Click(window_ui, control); }
  // A click event, whatever the control's state (while connecting, for instance, the window
  // is hidden behind the connecting dialog).
  bool Press(const char* control) {
    return testbed.control()->SendEvent(window_ui, control, kEventClick);
  }
  // How many connecting dialogs exist.
  int ConnectingDialogs();
  std::string Render() { return testbed.control()->Render(window_ui); }
  std::string UICalls() { return testbed.control()->UICalls(window_ui); }
  void ClearUICalls() { testbed.control()->ClearUICalls(window_ui); }
  // The object of a control in the launcher's window, or null.
  IUIObject* Control(const char* name);
  testbed::ControlState State(const char* name);  // visible -1: no such control
  bool Visible(const char* name);
  bool Enabled(const char* name);
  std::string Text(const char* name);  // a static's current text (or layout text), in UTF-8
  // How often `line` occurs in the factory's journal.
  int JournalCount(const std::string& line);
  // Releases the window now (it is released at the end of the test otherwise).
  void ReleaseWindow();
  // The module's own export, without taking a reference on it.
  int ModuleCanUnloadNow();

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
