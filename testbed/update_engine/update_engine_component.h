// The update engine (component 1014) as the testbed plays it. After a successful start it
// plays a scenario: each step is a task on the testbed's message loop, delivered to the
// advised IUpdateEngineEvent listeners on the thread that pumps the loop.
#pragma once

#include <memory>
#include <string>

#include "framework/interfaces/update_engine.h"
#include "testbed/common/testbed_component.h"
#include "testbed/update_engine/scenario.h"

namespace orv::testbed {

// The scenario the next engines play: a scenario text, or a file named by the factory's
// configuration ([UpdateEngine] Scenario=) when none was set.
void SetScenarioText(const std::string& text);
void ClearScenarioText();

class UpdateEngineComponent final : public TestbedComponent<IUpdateEngine, kUpdateEngineId> {
 public:
  UpdateEngineComponent();
  ~UpdateEngineComponent() override;

  int RunUpdate(const char* text, std::uint32_t first, std::uint32_t second) override;
  int UseProxy(const ProxyEntry* entry) override;
  int SetUpdateParams(const UpdateStartParams* params) override;
  void Advise(void* listener, std::uint32_t cookie) override;
  void Unadvise(void* listener) override;

  // The first listener of the newest engine alive, or null.
  static IUpdateEngineEvent* NewestListener();
  // How far the newest engine alive is in its scenario; false when there is none.
  static bool NewestProgress(int* played, int* total);
  // The entry the newest UseProxy handed any engine; false before the first.
  static bool LastUsedProxy(ProxyEntry* entry);

 private:
  void Play(const ScenarioStep& step);

  Scenario scenario_;
  int played_ = 0;
  std::shared_ptr<bool> alive_;  // scheduled steps check it: the engine may be released first
};

}  // namespace orv::testbed
