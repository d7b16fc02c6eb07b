#include "testbed/launcher/launcher_session.h"

#include <cstdio>

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/module_exports.h"
#include "platform/profile.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/launcher_paths.h"
#include "testbed/launcher/run_checks.h"

namespace orv::launcher {
namespace {

// OrvexDllFreeMap, then OrvexDllCanUnloadNow until it agrees (the loop runs between tries,
// so that deferred releases happen), then the factory unloads its modules. Answers what
// OrvexDllCanUnloadNow last said.
bool UnloadUpdateModule(testbed::ITestbedControl* testbed) {
  platform::ModuleHandle module = platform::FindLoadedModule("OrvUpdateUI.dll");
  if (module == nullptr) return true;
  auto free_map =
      reinterpret_cast<OrvexDllFreeMapFn>(platform::FindExport(module, "OrvexDllFreeMap"));
  auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(
      platform::FindExport(module, "OrvexDllCanUnloadNow"));
  if (free_map != nullptr) free_map();
  int unloadable = 0;
  for (int attempt = 0; can_unload != nullptr && attempt < 10 && !(unloadable = can_unload());
       ++attempt) {
    testbed->RunUntilIdle();
  }
  platform::ModuleHandle framework = platform::FindLoadedModule("OrvFact.dll");
  auto unload =
      reinterpret_cast<int (*)()>(platform::FindExport(framework, "OrvFactUnloadModules"));
  if (unload != nullptr && unload() != 0) std::printf("the update module could not be unloaded\n");
  return unloadable != 0;
}

// The title a person expects of the launcher's window: the project's name from the launcher's
// task information (GBK, as the framework keeps its texts), then "更新"; "游戏更新" without one.
std::string WindowTitle() {
  char project[128] = {};
  platform::ReadProfileString("ProjectOption", "projectname", "", project, sizeof project,
                              BesideLauncher("taskinfo.ini").c_str());
  const std::string name =
      project[0] != '\0' ? std::string(project) + " " : "\xd3\xce\xcf\xb7";  // "游戏"
  return platform::GbkToUtf8(name + "\xb8\xfc\xd0\xc2");                     // "更新"
}

}  // namespace

Session::~Session() {
  Release();
  if (framework_ != nullptr) platform::UnloadModule(framework_);
}

bool Session::Open(const std::string& ini, const std::string& dll, const std::string& proxy_file,
                   std::string* error) {
  RunSetup& setup = run_->setup;
  framework_ = platform::LoadModule(dll.c_str());
  if (framework_ == nullptr) {
    *error = "cannot load the factory DLL " + Shown(dll) + " (named by " + Shown(ini) + ")";
    return false;
  }
  auto create =
      reinterpret_cast<CreateComponentFn>(platform::FindExport(framework_, "CreateComponent"));
  auto testbed_of = reinterpret_cast<testbed::OrvFactTestbedFn>(
      platform::FindExport(framework_, "OrvFactTestbed"));
  if (create == nullptr || testbed_of == nullptr) {
    *error = Shown(dll) + " is not the testbed's factory DLL";
    return false;
  }
  setup.factory = static_cast<IComponentFactory*>(create(kComponentFactoryId, 0));
  setup.testbed = testbed_of();
  if (setup.factory == nullptr) {
    *error = Shown(dll) + " has no component factory";
    return false;
  }
  if (!CheckLayouts(setup.testbed, ini, error)) return false;
  if (setup.windows && !setup.testbed->ShowWindows()) {
    *error = "the testbed could not open windows";
    return false;
  }

  setup.window = setup.testbed->CreateWindowEngine("MainWindow");
  setup.testbed->SetWindowTitle(setup.window, WindowTitle().c_str());
  host_ = std::make_unique<LauncherHost>(setup.window, proxy_file, 1);
  setup.host = host_.get();
  if (setup.script.sets_proxy && host_->SetProxyConfig(&setup.script.proxy) == 0) {
    *error = "cannot write the proxy record " + Shown(proxy_file);
    return false;
  }
  update_ = static_cast<IUpdateLogic*>(setup.factory->CreateById(kUpdateLogicId, ""));
  if (update_ == nullptr) {
    *error = "the factory could not create the update window (1374): is [1374] DLL= in " +
             Shown(ini) + " right?\n" + run_->TakeModuleLines();
    return false;
  }
  if (update_->Init(host_.get(), 0) == 0) {
    *error = "the update window could not load its view (" + Shown(kLayouts[0]) + ")";
    return false;
  }
  EventSourceOf(update_)->Advise(host_->listener(), 0);
  return true;
}

bool Session::Release() {
  if (released_ || run_->setup.window == nullptr) return false;  // nothing was made yet
  released_ = true;
  testbed::ITestbedControl* testbed = run_->setup.testbed;
  // What is still queued (scenario steps of a released engine, the script's actions) plays
  // out at once: there is nothing left to watch.
  run_->ended = true;
  testbed->SetIdleHandler(nullptr, nullptr);
  testbed->SetMessageBoxResponder(nullptr, nullptr);
  testbed->SetPaused(false);
  testbed->SetRealTime(0);
  if (update_ != nullptr && run_->setup.factory->ReleaseComponent(update_) == 0)
    update_->Release(0);
  update_ = nullptr;
  if (run_->setup.window != nullptr) run_->setup.window->Release(0);
  run_->setup.window = nullptr;
  testbed->RunUntilIdle();
  std::printf("OrvexDllCanUnloadNow: %d\n", UnloadUpdateModule(testbed) ? 1 : 0);
  run_->TakeModuleLines();
  testbed->SetProxyTestTarget(nullptr, 0);
  return run_->module_lines.find("Found leak Orvex components") != std::string::npos;
}

}  // namespace orv::launcher
