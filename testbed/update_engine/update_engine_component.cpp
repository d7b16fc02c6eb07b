#include "testbed/update_engine/update_engine_component.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/file_read.h"
#include "testbed/common/call_journal.h"
#include "testbed/common/factory_config.h"
#include "testbed/runtime/message_loop.h"

namespace orv::testbed {
namespace {

std::mutex g_engines_mutex;
std::vector<UpdateEngineComponent*> g_engines;  // alive, oldest first

bool g_proxy_used = false;  // guarded by g_engines_mutex
ProxyEntry g_last_proxy{};

std::mutex g_scenario_mutex;
bool g_has_text = false;
std::string g_text;
int g_starts = 0;  // engines made since the scenario was set: which start the next one plays

// The scenario to play: the one set, else the configured file, else "no update needed".
Scenario CurrentScenario() {
  std::string text = "0 finish\n";
  {
    std::lock_guard<std::mutex> hold(g_scenario_mutex);
    if (g_has_text) {
      text = g_text;
    } else {
      const std::string file = DefaultConfig().ReadPath("UpdateEngine", "Scenario");
      if (!file.empty() && !platform::ReadWholeFile(file.c_str(), &text)) {
        Journal().Record("UpdateEngine: cannot read scenario " + file);
      }
    }
  }
  Scenario scenario;
  std::string error;
  int start = 0;
  {
    std::lock_guard<std::mutex> hold(g_scenario_mutex);
    start = g_starts++;
  }
  if (!ParseScenario(text, &scenario, &error, start)) {
    Journal().Record("UpdateEngine: scenario rejected: " + error);
    ParseScenario("0 finish\n", &scenario, &error);
  }
  return scenario;
}

}  // namespace

void SetScenarioText(const std::string& text) {
  std::lock_guard<std::mutex> hold(g_scenario_mutex);
  g_has_text = true;
  g_text = text;
  g_starts = 0;
}

void ClearScenarioText() {
  std::lock_guard<std::mutex> hold(g_scenario_mutex);
  g_has_text = false;
  g_text.clear();
  g_starts = 0;
}

UpdateEngineComponent::UpdateEngineComponent()
    : scenario_(CurrentScenario()), alive_(std::make_shared<bool>(true)) {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  g_engines.push_back(this);
}

UpdateEngineComponent::~UpdateEngineComponent() {
  {
    std::lock_guard<std::mutex> hold(g_engines_mutex);
    g_engines.erase(std::remove(g_engines.begin(), g_engines.end(), this), g_engines.end());
  }
  *alive_ = false;
  Journal().Record("UpdateEngine.Released");
}

IUpdateEngineEvent* UpdateEngineComponent::NewestListener() {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  if (g_engines.empty() || g_engines.back()->listeners().empty()) return nullptr;
  return static_cast<IUpdateEngineEvent*>(g_engines.back()->listeners().begin()->first);
}

bool UpdateEngineComponent::NewestProgress(int* played, int* total) {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  if (g_engines.empty()) return false;
  *played = g_engines.back()->played_;
  *total = static_cast<int>(g_engines.back()->scenario_.steps.size());
  return true;
}

bool UpdateEngineComponent::LastUsedProxy(ProxyEntry* entry) {
  std::lock_guard<std::mutex> hold(g_engines_mutex);
  if (g_proxy_used) *entry = g_last_proxy;
  return g_proxy_used;
}

void UpdateEngineComponent::Advise(void* listener, std::uint32_t cookie) {
  Journal().Record("UpdateEngine.Advise(" + std::to_string(cookie) + ")");
  TestbedComponent::Advise(listener, cookie);
}

void UpdateEngineComponent::Unadvise(void* listener) {
  Journal().Record("UpdateEngine.Unadvise");
  TestbedComponent::Unadvise(listener);
}

int UpdateEngineComponent::UseProxy(const ProxyEntry* entry) {
  Journal().Record(entry ? "UpdateEngine.UseProxy(" + std::to_string(entry->type) + "," +
                               std::string(entry->address) + "," + std::to_string(entry->port) + ")"
                         : std::string("UpdateEngine.UseProxy(<null>)"));
  if (entry != nullptr) {
    std::lock_guard<std::mutex> hold(g_engines_mutex);
    g_proxy_used = true;
    g_last_proxy = *entry;
  }
  return 1;
}

int UpdateEngineComponent::SetUpdateParams(const UpdateStartParams* params) {
  Journal().Record(
      params ? "UpdateEngine.SetUpdateParams(client=" + std::to_string(params->client_field) +
                   ",argument=" + std::to_string(params->argument) + ")"
             : std::string("UpdateEngine.SetUpdateParams(<null>)"));
  return params != nullptr && scenario_.accept_params ? 1 : 0;
}

int UpdateEngineComponent::RunUpdate(const char* text, std::uint32_t first, std::uint32_t second) {
  Journal().Record("UpdateEngine.RunUpdate(" + std::string(text ? text : "<null>") + "," +
                   std::to_string(first) + "," + std::to_string(second) + ")");
  if (!scenario_.accept_run) return 0;
  std::uint32_t due = 0;
  std::weak_ptr<bool> alive = alive_;
  for (const ScenarioStep& step : scenario_.steps) {
    due += step.delay_ms;
    MessageLoop::Instance().Post(
        [this, alive, step] {
          const auto still = alive.lock();
          if (still && *still) Play(step);
        },
        due);
  }
  return 1;
}

void UpdateEngineComponent::Play(const ScenarioStep& step) {
  // A copy: a listener may unadvise, or release the engine, while it is being told.
  const auto listeners = this->listeners();
  std::weak_ptr<bool> alive = alive_;
  ++played_;
  Journal().Record("UpdateEngine -> " + DescribeStep(step));
  for (const auto& entry : listeners) {
    const auto still = alive.lock();
    if (!still || !*still || this->listeners().count(entry.first) == 0) return;
    auto* sink = static_cast<IUpdateEngineEvent*>(entry.first);
    switch (step.kind) {
      case StepKind::kNeedUpdate: sink->OnNeedUpdate(); break;
      case StepKind::kProgress: {
        const UpdateProgressInfo record = step.progress;  // the engine's own, for this call
        sink->OnUpdateProgress(&record);
        break;
      }
      case StepKind::kSuccess: sink->OnUpdateSuccess(); break;
      case StepKind::kFail: sink->OnUpdateFail(step.error_code); break;
      case StepKind::kFinish: sink->OnUpdateFinish(); break;
      case StepKind::kStageTiming: sink->OnStageTiming(); break;
    }
  }
}

}  // namespace orv::testbed
