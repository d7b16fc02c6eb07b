// The testbed launcher: a host program that loads the framework's factory as its Orvex.ini
// says, obtains the update window (component 1374) through the factory as a launcher does,
// lets it load its view into the launcher's own window, starts the update, and pumps the
// message loop through which the update engine's events reach the window. It prints each
// new frame of the window and, at the end, the statistics the window reported.
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/bounded_string.h"
#include "framework/component_factory.h"
#include "framework/component_paths.h"
#include "module/module_exports.h"
#include "platform/module_handle.h"
#include "testbed/launcher/launcher_host.h"
#include "testbed/runtime/testbed_control.h"
#include "update/update_logic.h"

namespace {

using orv::IComponentFactory;

int Fail(const std::string& message) {
  std::fprintf(stderr, "launcher: %s\n", message.c_str());
  return 2;
}

struct Frames {
  orv::testbed::ITestbedControl* testbed;
  orv::IUILayoutEngine* window;
  orv::launcher::LauncherHost* host;
  std::string last;
};

// Run after every task of the loop: print the window when it changed; stop once the game
// may start.
bool ShowFrame(void* context) {
  auto* frames = static_cast<Frames*>(context);
  const std::string frame = frames->testbed->Render(frames->window);
  if (frame != frames->last) {
    std::printf("--- t=%llu ms\n%s", static_cast<unsigned long long>(frames->testbed->Now()),
                frame.c_str());
    frames->last = frame;
  }
  return frames->host->start_game();
}

}  // namespace

int main() {
  char ini[orv::kPathSize] = {};
  orv::LocateIni(nullptr, ini, sizeof ini);
  char dll[orv::kPathSize] = {};
  orv::FactoryDllPath(ini, dll, sizeof dll);
  orv::platform::ModuleHandle framework = orv::platform::LoadModule(dll);
  if (framework == nullptr) return Fail(std::string("cannot load the factory DLL ") + dll);

  auto create = reinterpret_cast<orv::CreateComponentFn>(
      orv::platform::FindExport(framework, "CreateComponent"));
  auto testbed_of = reinterpret_cast<orv::testbed::OrvFactTestbedFn>(
      orv::platform::FindExport(framework, "OrvFactTestbed"));
  if (create == nullptr || testbed_of == nullptr) return Fail("the factory DLL is not the testbed's");
  auto* factory = static_cast<IComponentFactory*>(create(orv::kComponentFactoryId, 0));
  orv::testbed::ITestbedControl* testbed = testbed_of();
  if (factory == nullptr) return Fail("the factory DLL has no component factory");

  orv::IUILayoutEngine* window = testbed->CreateWindowEngine("MainWindow");
  char proxy_file[orv::kPathSize] = {};
  orv::ExecutablePath("proxy.cfg", proxy_file, sizeof proxy_file);
  orv::launcher::LauncherHost host(window, proxy_file, 1);

  auto* update = static_cast<orv::IUpdateLogic*>(factory->CreateById(orv::kUpdateLogicId, ""));
  if (update == nullptr) return Fail("the factory could not create the update window (1374)");
  std::printf("Init: %d\n", update->Init(&host, 0));
  orv::EventSourceOf(update)->Advise(host.listener(), 0);
  std::printf("StartUpdate: %d\n", update->StartUpdate(0));

  Frames frames{testbed, window, &host, ""};
  testbed->RunUntil(&ShowFrame, &frames);
  ShowFrame(&frames);
  std::printf("%s\n", host.start_game() ? "The game may start now." : "The update window ended.");
  for (const auto& stat : host.stats()) std::printf("ReportStat(%u, %u)\n", stat.first, stat.second);

  if (factory->ReleaseComponent(update) == 0) update->Release(0);
  window->Release(0);
  auto unload = reinterpret_cast<int (*)()>(orv::platform::FindExport(framework, "OrvFactUnloadModules"));
  if (unload != nullptr && unload() != 0) std::printf("a module could not be unloaded\n");
  orv::platform::UnloadModule(framework);
  return host.start_game() ? 0 : 1;
}
