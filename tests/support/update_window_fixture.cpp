#include "tests/support/update_window_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/interfaces/module_exports.h"
#include "platform/module_handle.h"

namespace orv::testing {

void UpdateWindowTest::SetUp() {
  ASSERT_TRUE(testbed.ready());
  files.Remove("liveupdateinfo.ini");
  files.Remove("taskinfo.ini");
  folder.Write("Orvex.ini", "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") + "\n" + MoreConfiguration());
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

int UpdateWindowTest::InitWindow(std::uint32_t embedded) {
  const int result = update->Init(&host, embedded);
  if (update != nullptr) EventSourceOf(update)->Advise(host.listener(), 0);  // may be let go inside
  return result;
}

testbed::ControlState UpdateWindowTest::State(const char* name) {
  testbed::ControlState state{};
  if (!testbed.control()->GetControlState(window_ui, name, &state)) state.visible = -1;
  return state;
}

int UpdateWindowTest::ConnectingDialogs() {
  int count = 0;
  for (int i = 0; i < testbed.control()->UIEngineCount(); ++i) {
    count += Occurrences(testbed.control()->UICalls(testbed.control()->UIEngineAt(i)), "Dlg_Connecting.tpf") > 0;
  }
  return count;
}

bool UpdateWindowTest::ConnectingShown() {
  testbed::ControlState state{};
  IUILayoutEngine* dialog = testbed.control()->FindEngineByWindow("Dlg_Connecting");
  return dialog != nullptr && testbed.control()->GetControlState(dialog, "Dlg_Connecting", &state) &&
         state.on_screen == 1;
}

bool UpdateWindowTest::JournalInOrder(const std::vector<std::string>& lines) {
  const std::string journal = testbed.Journal();
  size_t at = 0;
  for (const std::string& line : lines) {
    at = journal.find(line, at);
    if (at == std::string::npos) return false;
    at += line.size();
  }
  return true;
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

void UpdateWindowTest::ReleaseWindow() {
  if (update == nullptr) return;
  if (testbed.factory()->ReleaseComponent(update) == 0) update->Release(0);
  update = nullptr;
}

int UpdateWindowTest::ModuleCanUnloadNow() {
  auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(
      platform::FindExport(platform::FindLoadedModule("OrvUpdateUI.dll"), "OrvexDllCanUnloadNow"));
  return can_unload ? can_unload() : -1;
}

}  // namespace orv::testing
