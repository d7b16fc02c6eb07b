#include "tests/support/update_window_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/interfaces/module_exports.h"
#include "platform/module_handle.h"
#include "platform/text_encoding.h"

namespace orv::testing {

int RecordingHost::GetClientInfo(ClientInfo* info) {
  calls.push_back("GetClientInfo");
  if (info != nullptr && client_info_result != 0) info->client_field = client_field;
  if (during) during("GetClientInfo");
  return client_info_result;
}

IUILayoutEngine* RecordingHost::GetUIEngine() {
  calls.push_back("GetUIEngine");
  if (during) during("GetUIEngine");
  return ui;
}

int RecordingHost::GetProxyConfig(ProxyConfig* config) {
  calls.push_back("GetProxyConfig");
  if (config != nullptr) *config = proxy;
  if (during) during("GetProxyConfig");
  return 1;
}

int RecordingHost::SetProxyConfig(ProxyConfig* config) {
  calls.push_back("SetProxyConfig");
  if (config != nullptr) stored = *config;
  if (during) during("SetProxyConfig");
  return 1;
}

int RecordingHost::ReportStat(std::uint32_t code, std::uint32_t value) {
  stats.emplace_back(code, value);
  if (during) during("ReportStat");
  return 1;
}

void RecordingHost::OnStartGame() {
  ++start_game_count;
  if (on_start_game) on_start_game();
}

void UpdateWindowTest::SetUp() {
  ASSERT_TRUE(testbed.ready());
  files.Remove("liveupdateinfo.ini");
  files.Remove("taskinfo.ini");
  folder.Write("Orvex.ini",
               "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") + "\n" + MoreConfiguration());
  ini = folder.PathOf("Orvex.ini");
  testbed.Configure(ini);
  window_ui = testbed.control()->CreateWindowEngine("MainWindow");
  host.ui = window_ui;
  host.proxy.entry_count = kProxyEntryCount;
  update = CreateWindow();
  ASSERT_NE(nullptr, update);
}

void UpdateWindowTest::TearDown() {
  ReleaseWindow();
  Pump();
  window_ui->Release(0);
}

IUpdateLogic* UpdateWindowTest::CreateWindow() {
  return static_cast<IUpdateLogic*>(testbed.factory()->CreateById(kUpdateLogicId, ini.c_str()));
}

int UpdateWindowTest::InitWindow(std::uint32_t embedded) {
  const int result = update->Init(&host, embedded);
  if (update != nullptr) EventSourceOf(update)->Advise(host.listener(), 0);  // may be let go inside
  return result;
}

void UpdateWindowTest::SetScenario(const std::string& text) {
  ASSERT_TRUE(testbed.control()->SetScenario(text.c_str())) << text;
}

IUIObject* UpdateWindowTest::Control(const char* name) {
  return window_ui->GetControl(window_ui->FindControl(name));
}

testbed::ControlState UpdateWindowTest::State(const char* name) {
  testbed::ControlState state{};
  if (!testbed.control()->GetControlState(window_ui, name, &state)) state.visible = -1;
  return state;
}

bool UpdateWindowTest::Visible(const char* name) { return State(name).visible == 1; }

bool UpdateWindowTest::Enabled(const char* name) { return State(name).enabled == 1; }

std::string UpdateWindowTest::Text(const char* name) { return platform::GbkToUtf8(State(name).text); }

int UpdateWindowTest::ConnectingDialogs() {
  int count = 0;
  for (int i = 0; i < testbed.control()->UIEngineCount(); ++i) {
    const std::string calls = testbed.control()->UICalls(testbed.control()->UIEngineAt(i));
    if (calls.find("Dlg_Connecting.tpf") != std::string::npos) ++count;
  }
  return count;
}

int UpdateWindowTest::JournalCount(const std::string& line) {
  const std::string journal = testbed.Journal();
  int count = 0;
  for (size_t at = journal.find(line); at != std::string::npos; at = journal.find(line, at + 1)) ++count;
  return count;
}

void UpdateWindowTest::ReleaseWindow() {
  if (update == nullptr) return;
  if (testbed.factory()->ReleaseComponent(update) == 0) update->Release(0);
  update = nullptr;
}

int UpdateWindowTest::ModuleCanUnloadNow() {
  platform::ModuleHandle module = platform::FindLoadedModule("OrvUpdateUI.dll");
  auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(platform::FindExport(module, "OrvexDllCanUnloadNow"));
  return can_unload ? can_unload() : -1;
}

}  // namespace orv::testing
