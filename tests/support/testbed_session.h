// The testbed as a test uses it: OrvFact.dll loaded beside the test executable, its factory,
// its controls and its journal.
#pragma once

#include <string>

#include "framework/interfaces/component_factory.h"
#include "testbed/factory/testbed_control.h"
#include "tests/support/loaded_module.h"

namespace orv::testing {

class TestbedSession {
 public:
  TestbedSession();
  ~TestbedSession();

  bool ready() const { return factory_ != nullptr && control_ != nullptr; }
  IComponentFactory* factory() const { return factory_; }
  testbed::ITestbedControl* control() const { return control_; }
  platform::ModuleHandle handle() const { return module_.handle(); }

  // The configuration of requests without a registry string of their own (log, proxy test).
  void Configure(const std::string& ini) const;
  std::string Journal() const;
  void ClearJournal() const;
  // The framework root the testbed ships (the test executable's folder) + "\" + relative.
  static std::string RootPath(const std::string& relative);

 private:
  LoadedModule module_{"OrvFact.dll"};
  IComponentFactory* factory_ = nullptr;
  testbed::ITestbedControl* control_ = nullptr;
};

}  // namespace orv::testing
