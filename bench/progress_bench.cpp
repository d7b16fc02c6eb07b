// What one progress event costs the update window itself.
//
// The event runs on the shipped layout against two UI engines: the testbed's, which records
// every call in strings (as the framework's would do real drawing), and a lean one that does
// no more than hold the texts (bench/lean_ui_engine.h). Against each, a floor is measured: the
// very UI calls the event makes, with the texts it sets, recorded once from the event and
// replayed directly. Event and floor run interleaved in random order and repeated; the ratio
// of each repetition's pair, and the event's cost above the lean floor, are the window's own
// overhead. Heap allocations per event are counted by this program's operator new (every
// module of the process uses it): the window makes none.
// Also ReplaceAll over a 1 KB text, which should grow linearly with the number of occurrences.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench/lean_ui_engine.h"
#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/module_exports.h"
#include "framework/interfaces/update_engine.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"
#include "platform/module_handle.h"
#include "platform/native_path.h"
#include "testbed/factory/testbed_control.h"

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
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

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

// A file beside this program, in the Windows form the modules use.
std::string BesideExecutable(const char* name) {
  char path[kPathSize] = {};
  ExecutablePath(name, path, sizeof path);
  return path;
}

// The record of every measured event: the same download-phase numbers each time, so that
// every event does the same work as the floor recorded from it.
UpdateProgressInfo Record() {
  UpdateProgressInfo info;
  std::memset(&info, 0, sizeof info);
  info.valid = 1;
  std::strcpy(info.latest_version, "2.1.0");
  info.file_size = 10485760;
  info.speed = 1048576;
  info.percent = 50;
  info.phase = kPhaseDownload;
  return info;
}

// An update window started in a launcher window of one engine, its events, and the floor:
// the UI calls of one event, replayed.
struct Bench {
  const char* name = "";
  IUILayoutEngine* ui = nullptr;
  std::unique_ptr<BenchHost> host;
  IUpdateLogic* window = nullptr;
  IUpdateEngineEvent* events = nullptr;
  bench::UIScript floor;
  std::vector<void*> objects;
  std::vector<std::uint32_t> ids;
};

// The testbed's factory with the module, and one bench per engine.
struct Setup {
  platform::ModuleHandle fact = platform::LoadModule(BesideExecutable("OrvFact.dll").c_str());
  testbed::ITestbedControl* control = nullptr;
  IComponentFactory* factory = nullptr;
  bench::LeanUIEngine* lean = new bench::LeanUIEngine;
  Bench testbed_bench, lean_bench;
  std::string error;

  Setup() {
    auto create =
        reinterpret_cast<CreateComponentFn>(platform::FindExport(fact, "CreateComponent"));
    factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
    control =
        reinterpret_cast<testbed::OrvFactTestbedFn>(platform::FindExport(fact, "OrvFactTestbed"))();
    // Where the factory finds the module: a configuration of the benchmark's own.
    const std::string ini = BesideExecutable("bench.ini");
    std::ofstream(platform::NativePath(ini))
        << "[1374]\nDLL=" << BesideExecutable("OrvUpdateUI.dll") << "\n";
    if (!lean->Load(platform::NativePath(BesideExecutable("ui\\LayOut\\Container_Update.tpf")),
                    &error))
      return;
    control->SetScenario("option\n");
    Start(&testbed_bench, "testbed", control->CreateWindowEngine("MainWindow"), ini);
    Start(&lean_bench, "lean", lean, ini);
    if (!error.empty()) return;
    // The floor's calls, recorded from an event on the lean engine (both engines hold the same
    // layout, so the calls are those of an event on either).
    const UpdateProgressInfo info = Record();
    lean_bench.events->OnUpdateProgress(&info);  // the first event shows what later ones keep
    lean->Record(&lean_bench.floor);
    lean_bench.events->OnUpdateProgress(&info);
    lean->Record(nullptr);
    testbed_bench.floor = lean_bench.floor;
    for (Bench* b : {&testbed_bench, &lean_bench}) {
      b->objects.assign(b->floor.is_root.size(), nullptr);
      b->ids.assign(static_cast<size_t>(b->floor.ids), 0);
      for (int warm = 0; warm < 200; ++warm) {
        b->events->OnUpdateProgress(&info);
        Floor(b);
      }
    }
  }

  void Start(Bench* b, const char* name, IUILayoutEngine* ui, const std::string& ini) {
    b->name = name;
    b->ui = ui;
    b->host = std::make_unique<BenchHost>(ui);
    b->window = static_cast<IUpdateLogic*>(factory->CreateById(kUpdateLogicId, ini.c_str()));
    if (b->window == nullptr || b->window->Init(b->host.get(), 0) == 0 ||
        b->window->StartUpdate(0) == 0) {
      error = std::string("the update window did not start on the ") + name + " engine";
      return;
    }
    b->events = control->NewestEngineListener();
  }

  void Floor(Bench* b) {
    bench::Replay(b->ui, b->floor, b->objects, b->ids);
    Tidy(b);
  }
  // The testbed's call record must not grow unbounded; event and floor pay the same for it.
  void Tidy(Bench* b) {
    if (b == &testbed_bench) control->ClearUICalls(b->ui);
  }

  // Lets go of everything, so that the module reports no leak at unload.
  ~Setup() {
    for (Bench* b : {&testbed_bench, &lean_bench}) {
      if (b->window != nullptr && factory->ReleaseComponent(b->window) == 0) b->window->Release(0);
      if (b->ui != nullptr) b->ui->Release(0);
    }
    if (lean_bench.ui == nullptr) lean->Release(0);
    control->RunUntilIdle();
    platform::UnloadModule(fact);
  }
};

Setup& Bed() {
  static Setup setup;
  return setup;
}

Bench* Pick(benchmark::State& state) {
  Setup& bed = Bed();
  if (!bed.error.empty()) {
    state.SkipWithError(bed.error.c_str());
    return nullptr;
  }
  return state.range(0) == 0 ? &bed.testbed_bench : &bed.lean_bench;
}

void BM_Event(benchmark::State& state) {
  Bench* b = Pick(state);
  if (b == nullptr) return;
  const UpdateProgressInfo info = Record();
  const long long before = g_allocations.load();
  for (auto _ : state) {
    b->events->OnUpdateProgress(&info);
    Bed().Tidy(b);
  }
  const double allocations =
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
  state.counters["allocs/event"] = allocations;
  state.SetLabel(b->name);
  if (b == &Bed().lean_bench && allocations > 0)
    state.SkipWithError("the update window allocated on the heap");
}

void BM_Floor(benchmark::State& state) {
  Bench* b = Pick(state);
  if (b == nullptr) return;
  for (auto _ : state) Bed().Floor(b);
  state.counters["calls"] = static_cast<double>(b->floor.calls.size());
  state.SetLabel(b->name);
}

constexpr int kRepetitions = 15;
BENCHMARK(BM_Event)->Arg(0)->Arg(1)->Repetitions(kRepetitions)->ReportAggregatesOnly(false);
BENCHMARK(BM_Floor)->Arg(0)->Arg(1)->Repetitions(kRepetitions)->ReportAggregatesOnly(false);

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
    benchmark::DoNotOptimize(
        ReplaceAll(text.c_str(), placeholder.c_str(), "10MB", out, sizeof out));
  }
  state.SetComplexityN(occurrences);
}
BENCHMARK(BM_ReplaceAll)->Arg(1)->Arg(10)->Arg(100)->Complexity();

// The console's report, and the repetitions kept: per engine, event and floor times in
// nanoseconds of CPU time by repetition (what the process itself spent, whatever else runs).
class PairReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string& name = run.run_name.function_name;
      if (name != "BM_Event" && name != "BM_Floor") continue;
      const std::string engine = run.run_name.args == "0" ? "testbed" : "lean";
      times[engine][name].push_back(run.GetAdjustedCPUTime());
    }
  }
  std::map<std::string, std::map<std::string, std::vector<double>>> times;
};

// Median and the spread from the lowest to the highest value.
std::string Summary(std::vector<double> values, const char* format) {
  if (values.empty()) return "-";
  std::sort(values.begin(), values.end());
  const double median = values.size() % 2
                            ? values[values.size() / 2]
                            : (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
  char text[128];
  std::snprintf(text, sizeof text, format, median, values.front(), values.back());
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // Event and floor in random order, repetition after repetition, unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  PairReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nper progress event, median [lowest .. highest] of %d repetitions:\n",
              kRepetitions);
  for (auto& [engine, by_name] : reporter.times) {
    const std::vector<double>& events = by_name["BM_Event"];
    const std::vector<double>& floors = by_name["BM_Floor"];
    std::vector<double> ratios, own;
    for (size_t i = 0; i < std::min(events.size(), floors.size()); ++i) {
      ratios.push_back(events[i] / floors[i]);
      own.push_back(events[i] - floors[i]);
    }
    std::printf("  %-8s event %s  floor %s  ratio %s  own cost %s\n", engine.c_str(),
                Summary(events, "%.0f ns [%.0f .. %.0f]").c_str(),
                Summary(floors, "%.0f ns [%.0f .. %.0f]").c_str(),
                Summary(ratios, "%.2fx [%.2f .. %.2f]").c_str(),
                Summary(own, "%.0f ns [%.0f .. %.0f]").c_str());
  }
  benchmark::Shutdown();
  return 0;
}
