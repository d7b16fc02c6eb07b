// The testbed as a test uses it: OrvFact.dll loaded beside the test executable, its factory,
// its controls and its journal.
#pragma once

#include <string>

#include "framework/interfaces/component_factory.h"
#include "testbed/factory/testbed_control.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"

namespace orv::testing {

class TestbedSession {
 public:
  TestbedSession() {
    factory_ = static_cast<IComponentFactory*>(module_.CreateComponent(kComponentFactoryId, 0));
    if (auto testbed = module_.Find<testbed::OrvFactTestbedFn>("OrvFactTestbed")) control_ = testbed();
    ClearJournal();
  }
  ~TestbedSession() {
    if (control_ != nullptr) {
      control_->RunUntilIdle();  // nothing of this test may run in the next one
      control_->SetScenario(nullptr);
    }
    if (auto unload = module_.Find<OrvFactUnloadModulesFn>("OrvFactUnloadModules")) unload();
    Configure("");  // back to the default for whoever loads the factory next
  }

  bool ready() const { return factory_ != nullptr && control_ != nullptr; }
  IComponentFactory* factory() const { return factory_; }
  testbed::ITestbedControl* control() const { return control_; }
  platform::ModuleHandle handle() const { return module_.handle(); }

  // The configuration of requests without a registry string of their own (log, proxy test).
  void Configure(const std::string& ini) const {
    if (auto configure = module_.Find<OrvFactConfigureFn>("OrvFactConfigure")) configure(ini.c_str());
  }
  std::string Journal() const {
    auto journal = module_.Find<OrvFactJournalFn>("OrvFactJournal");
    return journal ? journal() : "";
  }
  void ClearJournal() const {
    if (auto clear = module_.Find<OrvFactClearJournalFn>("OrvFactClearJournal")) clear();
  }
  // The framework root the testbed ships (the test executable's folder) + "\" + relative.
  static std::string RootPath(const std::string& relative) { return BesideExecutable(relative.c_str()); }

 private:
  LoadedModule module_{"OrvFact.dll"};
  IComponentFactory* factory_ = nullptr;
  testbed::ITestbedControl* control_ = nullptr;
};

}  // namespace orv::testing
