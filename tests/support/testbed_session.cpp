#include "tests/support/testbed_session.h"

#include "tests/modules/probe_interfaces.h"

namespace orv::testing {

TestbedSession::TestbedSession() {
  factory_ = static_cast<IComponentFactory*>(module_.CreateComponent(kComponentFactoryId, 0));
  if (auto testbed = module_.Find<testbed::OrvFactTestbedFn>("OrvFactTestbed")) control_ = testbed();
  ClearJournal();
}

TestbedSession::~TestbedSession() {
  if (control_ != nullptr) {
    control_->RunUntilIdle();  // nothing of this test may run in the next one
    control_->SetScenario(nullptr);
  }
  if (auto unload = module_.Find<OrvFactUnloadModulesFn>("OrvFactUnloadModules")) unload();
  Configure("");  // back to the default for whoever loads the factory next
}

void TestbedSession::Configure(const std::string& ini) const {
  if (auto configure = module_.Find<OrvFactConfigureFn>("OrvFactConfigure")) configure(ini.c_str());
}

std::string TestbedSession::Journal() const {
  auto journal = module_.Find<OrvFactJournalFn>("OrvFactJournal");
  return journal ? journal() : "";
}

void TestbedSession::ClearJournal() const {
  if (auto clear = module_.Find<OrvFactClearJournalFn>("OrvFactClearJournal")) clear();
}

std::string TestbedSession::RootPath(const std::string& relative) {
  return BesideExecutable(relative.c_str());
}

}  // namespace orv::testing
