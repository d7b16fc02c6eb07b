// OrvRecordingFactory.dll: a component factory (component 361) that records every call a
// module makes on it. It is built without the component runtime: it is the outside world.
// Built once more as recording/OrvFact.dll, the name under which loggers find a factory.
#include <string>

#include "framework/interfaces/module_exports.h"
#include "testbed/common/testbed_component.h"
#include "tests/modules/probe_interfaces.h"

namespace orv::testing {
namespace {

class RecordingFactory final
    : public testbed::TestbedComponent<IComponentFactory, kComponentFactoryId> {
 public:
  FactoryRecording recording;

  void Release(int) override {
    recording.calls.push_back("Release");
  }  // one object for the process
  void SetFreeInMap(int value) override {
    TestbedComponent::SetFreeInMap(value);
    recording.calls.push_back("SetFreeInMap(" + std::to_string(value) + ")");
  }

  IComponent* CreateById(ComponentId component_id, const char* registry) override {
    recording.calls.push_back("CreateById(" + std::to_string(component_id) + "," +
                              (registry ? registry : "<null>") + ")");
    if (component_id == kComponentFactoryId) return this;
    return recording.create ? recording.create(component_id, registry) : nullptr;
  }
  int GetLogConfig(const char*, ComponentId, std::uint32_t* debug_mask, std::uint32_t* file_mask,
                   LogFileRecord** record) override {
    recording.calls.push_back("GetLogConfig");
    if (debug_mask != nullptr) *debug_mask = recording.debug_mask;
    if (file_mask != nullptr) *file_mask = recording.file_mask;
    if (record != nullptr) *record = recording.log_record;
    return 1;
  }
  void Unused10() override {}
  void Unused11() override {}
  void Unused12() override {}
  int NotifyModuleEmpty(platform::ModuleHandle module) override {
    recording.calls.push_back("NotifyModuleEmpty");
    recording.last_notified_module = module;
    return 1;
  }
  void Unused14() override {}
  void Unused15() override {}
  void Unused16() override {}
  int ReleaseComponent(IComponent* component) override {
    recording.calls.push_back("ReleaseComponent");
    return recording.release_component_result;
  }
};

RecordingFactory g_factory;

}  // namespace
}  // namespace orv::testing

extern "C" {

ORV_EXPORT orv::IComponent* ORV_CDECL CreateComponent(std::uint32_t component_id,
                                                      std::uint32_t /*creator_id*/) {
  if (component_id != orv::kComponentFactoryId) return nullptr;
  orv::testing::g_factory.recording.calls.push_back("CreateComponent(361)");
  return &orv::testing::g_factory;
}

ORV_EXPORT orv::testing::FactoryRecording* ORV_CDECL RecordingFactory() {
  return &orv::testing::g_factory.recording;
}

}  // extern "C"
