// What one progress event costs the module itself. The event is measured on the shipped
// layout through the testbed's UI engine, against a floor measured in the same run: the UI
// engine calls that the event has to make (the lookups, the child walk with each static's
// GetText and SetText, the show and enable brackets, the bar), issued directly. The ratio of
// the two is the module's own overhead. Also ReplaceAll over a 1 KB text, which should grow
// linearly with the number of occurrences.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "framework/bounded_string.h"
#include "framework/update_engine.h"
#include "platform/native_path.h"
#include "tests/support/loaded_module.h"
#include "tests/modules/probe_interfaces.h"
#include "testbed/runtime/testbed_control.h"
#include "update/update_host.h"
#include "update/update_logic.h"

namespace {

using namespace orv;

class BenchHost final : public IUpdateHost {
 public:
  explicit BenchHost(IUILayoutEngine* ui) : ui_(ui) {}
  int GetClientInfo(ClientInfo*) override { return 0; }
  IUILayoutEngine* GetUIEngine() override { return ui_; }
  int GetProxyConfig(ProxyConfig*) override { return 1; }
  int SetProxyConfig(ProxyConfig*) override { return 1; }
  int ReportStat(std::uint32_t, std::uint32_t) override { return 1; }

 private:
  IUILayoutEngine* ui_;
};

// The testbed with an update window that has started and shows its download view.
struct Setup {
  testing::LoadedModule fact{"OrvFact.dll"};
  testbed::ITestbedControl* control = nullptr;
  IUILayoutEngine* ui = nullptr;
  IUpdateLogic* window = nullptr;
  IUpdateEngineEvent* events = nullptr;
  std::unique_ptr<BenchHost> host;

  Setup() {
    auto* factory = static_cast<IComponentFactory*>(fact.CreateComponent(kComponentFactoryId, 0));
    control = fact.Find<testbed::OrvFactTestbedFn>("OrvFactTestbed")();
    // Where the factory finds the module: a configuration of the benchmark's own.
    const std::string ini = testing::BesideExecutable("bench.ini");
    std::ofstream(platform::NativePath(ini)) << "[1374]\nDLL=" << testing::BesideExecutable("OrvUpdateUI.dll")
                                             << "\n";
    control->SetScenario("option\n");
    ui = control->CreateWindowEngine("MainWindow");
    host = std::make_unique<BenchHost>(ui);
    window = static_cast<IUpdateLogic*>(factory->CreateById(kUpdateLogicId, ini.c_str()));
    if (window == nullptr) return;
    window->Init(host.get(), 0);
    window->StartUpdate(0);
    events = control->NewestEngineListener();
  }
};

Setup& Bed() {
  static Setup setup;
  return setup;
}

UpdateProgressInfo Record(std::uint32_t percent) {
  UpdateProgressInfo info;
  std::memset(&info, 0, sizeof info);
  info.valid = 1;
  std::strcpy(info.latest_version, "2.1.0");
  info.file_size = 10485760;
  info.speed = 1048576;
  info.percent = percent;
  info.phase = kPhaseDownload;
  return info;
}

void BM_ProgressEvent(benchmark::State& state) {
  Setup& bed = Bed();
  if (bed.events == nullptr) {
    state.SkipWithError("the update window did not start");
    return;
  }
  std::uint32_t percent = 1;
  for (auto _ : state) {
    const UpdateProgressInfo info = Record(percent);
    bed.events->OnUpdateProgress(&info);
    percent = percent % 99 + 1;
    bed.control->ClearUICalls(bed.ui);  // the testbed's call record must not grow unbounded
  }
}
BENCHMARK(BM_ProgressEvent);

IUIObject* Lookup(IUILayoutEngine* ui, const char* name) { return ui->GetControl(ui->FindControl(name)); }

void ShowAndEnable(IUILayoutEngine* ui, const char* name, int show) {
  if (IUIObject* object = Lookup(ui, name)) {
    object->BeginUpdate();
    object->Show(show);
    object->EndUpdate();
    object->Enable(show);
  }
}

// The UI engine calls of one download-phase event, issued directly.
void BM_ProgressFloor(benchmark::State& state) {
  Setup& bed = Bed();
  IUILayoutEngine* ui = bed.ui;
  const char* fixed = "fixed text";
  char text[1024];
  int percent = 1;
  for (auto _ : state) {
    IUIWindowRoot* root = ui->GetRootObject();
    root->BeginUpdate();
    root->Show(1);
    root->EndUpdate();
    ShowAndEnable(ui, "Container_ProcessBackGround", 1);
    IUIObject* container = Lookup(ui, "Update_Container");
    for (IUIObject* child = container->GetFirstChild(); child; child = child->GetNextSibling()) {
      if (child->GetType() != kStaticTextType) continue;
      static_cast<IUIStaticText*>(child)->Refresh();
      child->GetText(text, sizeof text);
      static_cast<IUIStaticText*>(child)->SetText(fixed);
    }
    static_cast<IUIProgressBar*>(Lookup(ui, "C2_Process_Level"))->SetPos(percent, 1);
    Lookup(ui, "C2_Static_UpdateVersion");
    Lookup(ui, "C2_Button_Cancel");
    ShowAndEnable(ui, "C2_Static_IntallProcess", 0);
    ShowAndEnable(ui, "C2_Static_DownloadProcess", 1);
    ShowAndEnable(ui, "C2_Static_Installing", 0);
    ShowAndEnable(ui, "C2_Static_UpdateVersion", 1);
    percent = percent % 99 + 1;
    bed.control->ClearUICalls(ui);
  }
}
BENCHMARK(BM_ProgressFloor);

// A 1 KB text with a placeholder `occurrences` times, spread evenly, replaced by a value of
// its own length (so every replacement fits).
void BM_ReplaceAll(benchmark::State& state) {
  const int occurrences = static_cast<int>(state.range(0));
  const std::string placeholder = "${X}";
  std::string text;
  const size_t filler = (1000 - occurrences * placeholder.size()) / occurrences;
  for (int i = 0; i < occurrences; ++i) text += std::string(filler, 'x') + placeholder;
  char out[kMessageSize];
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReplaceAll(text.c_str(), placeholder.c_str(), "10MB", out, sizeof out));
  }
  state.SetComplexityN(occurrences);
}
BENCHMARK(BM_ReplaceAll)->Arg(1)->Arg(10)->Arg(100)->Complexity();

}  // namespace

BENCHMARK_MAIN();
