// What one progress event costs the module itself. The event is measured on the shipped
// layout through the testbed's UI engine, against a floor measured in the same run: the UI
// engine calls that the event has to make (the lookups, the child walk with each static's
// GetText and SetText, the show and enable brackets, the bar), issued directly. The ratio of
// the two is the module's own overhead, and so is the difference of their heap allocations per
// event (counted by this program's operator new, which every module of the process uses).
// Also ReplaceAll over a 1 KB text, which should grow linearly with the number of occurrences.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <fstream>
#include <memory>
#include <string>

#include "framework/bounded_string.h"
#include "framework/interfaces/update_engine.h"
#include "platform/native_path.h"
#include "framework/component_paths.h"
#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/module_exports.h"
#include "platform/module_handle.h"
#include "testbed/factory/testbed_control.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"

std::atomic<long long> g_allocations{0};

// The replacements below hand out malloc's blocks, so free is the matching release; the
// compiler cannot see that through the replaced operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

using namespace orv;

// Heap allocations per iteration of a benchmark loop, as a counter beside its time.
class AllocationCount {
 public:
  explicit AllocationCount(benchmark::State& state) : state_(state), start_(g_allocations.load()) {}
  ~AllocationCount() {
    const long long made = g_allocations.load() - start_;
    state_.counters["allocs/event"] = state_.iterations() ? static_cast<double>(made) / state_.iterations() : 0;
  }

 private:
  benchmark::State& state_;
  long long start_;
};

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
// A file beside this program, in the Windows form the modules use.
std::string BesideExecutable(const char* name) {
  char path[kPathSize] = {};
  ExecutablePath(name, path, sizeof path);
  return path;
}

struct Setup {
  platform::ModuleHandle fact = platform::LoadModule(BesideExecutable("OrvFact.dll").c_str());
  testbed::ITestbedControl* control = nullptr;
  IUILayoutEngine* ui = nullptr;
  IUpdateLogic* window = nullptr;
  IUpdateEngineEvent* events = nullptr;
  std::unique_ptr<BenchHost> host;

  IComponentFactory* factory = nullptr;

  Setup() {
    auto create = reinterpret_cast<CreateComponentFn>(platform::FindExport(fact, "CreateComponent"));
    factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
    control = reinterpret_cast<testbed::OrvFactTestbedFn>(platform::FindExport(fact, "OrvFactTestbed"))();
    // Where the factory finds the module: a configuration of the benchmark's own.
    const std::string ini = BesideExecutable("bench.ini");
    std::ofstream(platform::NativePath(ini)) << "[1374]\nDLL=" << BesideExecutable("OrvUpdateUI.dll")
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

  // Lets go of everything, so that the module reports no leak at unload.
  ~Setup() {
    if (window != nullptr && factory->ReleaseComponent(window) == 0) window->Release(0);
    if (ui != nullptr) ui->Release(0);
    control->RunUntilIdle();
    platform::UnloadModule(fact);
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
  AllocationCount allocations(state);
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
  AllocationCount allocations(state);
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
