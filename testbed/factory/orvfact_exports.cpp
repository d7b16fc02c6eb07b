// The exports of the testbed's OrvFact.dll. "CreateComponent"(361, 0) yields the component
// factory, as in the framework; the others are the testbed's own, for the launcher and tests.
#include <string>

#include "framework/interfaces/module_exports.h"
#include "testbed/common/call_journal.h"
#include "testbed/common/factory_config.h"
#include "testbed/factory/message_box_component.h"
#include "testbed/factory/testbed_control.h"
#include "testbed/factory/testbed_factory.h"

namespace orv::testbed {
ITestbedControl* Testbed();
}  // namespace orv::testbed

extern "C" {

ORV_EXPORT orv::IComponent* ORV_CDECL CreateComponent(std::uint32_t component_id,
                                                      std::uint32_t creator_id) {
  try {
    if (component_id != orv::kComponentFactoryId) return nullptr;
    orv::testbed::Journal().Record("CreateComponent(" + std::to_string(component_id) + "," +
                                   std::to_string(creator_id) + ")");
    return &orv::testbed::TestbedFactory::Instance();
  } catch (...) {
    return nullptr;
  }
}

// Makes `ini_path` the configuration of requests that carry no registry string of their own
// (by default, the Orvex.ini beside the executable).
ORV_EXPORT void ORV_CDECL OrvFactConfigure(const char* ini_path) {
  try {
    orv::testbed::DefaultConfig() = orv::testbed::FactoryConfig::FromRegistry(ini_path);
  } catch (...) {
  }
}

// The calls recorded since the last clear, one per line; valid until the next journal call.
ORV_EXPORT const char* ORV_CDECL OrvFactJournal() {
  try {
    return orv::testbed::Journal().Snapshot();
  } catch (...) {
    return "";
  }
}

ORV_EXPORT void ORV_CDECL OrvFactClearJournal() { orv::testbed::Journal().Clear(); }

// The answer of the next message box shown (1 OK, 2 Cancel, 6 Yes, 7 No); without one, a
// box is answered with its default button.
ORV_EXPORT void ORV_CDECL OrvFactPushMessageBoxAnswer(int answer) {
  try {
    orv::testbed::PushMessageBoxAnswer(answer);
  } catch (...) {
  }
}

// The testbed's own controls, for the launcher and the tests.
ORV_EXPORT orv::testbed::ITestbedControl* ORV_CDECL OrvFactTestbed() {
  return orv::testbed::Testbed();
}

// Unloads the idle modules the factory loaded; answers how many stay loaded.
ORV_EXPORT int ORV_CDECL OrvFactUnloadModules() {
  try {
    return orv::testbed::TestbedFactory::Instance().UnloadIdleModules();
  } catch (...) {
    return -1;
  }
}

}  // extern "C"
