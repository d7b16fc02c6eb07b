// What every test stands on: component modules loaded as a host loads them, the files of a
// test, and the testbed's OrvFact.dll with its factory, its controls and its journal.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/module_exports.h"
#include "platform/debug_capture.h"
#include "platform/module_handle.h"
#include "platform/native_path.h"
#include "testbed/factory/testbed_control.h"
#include "tests/modules/probe_interfaces.h"

namespace orv::testing {

using platform::NativePath;

// The full path of `file_name` beside the running test executable.
std::string BesideExecutable(const char* file_name);

// Tells LeakSanitizer that a component deliberately left behind at unload is not a leak of
// the test (only in sanitizer builds).
void IgnoreDeliberateLeak(const void* object);

// Loaded by file name from the test executable's folder, or by a full (Windows-form) path.
class LoadedModule {
  platform::ModuleHandle handle_;

 public:
  explicit LoadedModule(const std::string& name_or_path);
  ~LoadedModule() { Unload(); }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  platform::ModuleHandle handle() const { return handle_; }
  bool loaded() const { return handle_ != nullptr; }
  // Drops the reference taken at construction; the module is unloaded with it.
  void Unload();
  template <class Fn>
  Fn Find(const char* name) const {
    return reinterpret_cast<Fn>(platform::FindExport(handle_, name));
  }

  CreateComponentFn CreateComponent = Find<CreateComponentFn>("CreateComponent");
  GetComponentIDsFn GetComponentIDs = Find<GetComponentIDsFn>("GetComponentIDs");
  SetDLLRegistryFn SetDLLRegistry = Find<SetDLLRegistryFn>("SetDLLRegistry");
  SetFactoryHandleFn SetFactoryHandle = Find<SetFactoryHandleFn>("SetFactoryHandle");
  OrvexDllFreeMapFn OrvexDllFreeMap = Find<OrvexDllFreeMapFn>("OrvexDllFreeMap");
  OrvexDllCanUnloadNowFn OrvexDllCanUnloadNow =
      Find<OrvexDllCanUnloadNowFn>("OrvexDllCanUnloadNow");
  OrvexSetDllSafeFn OrvexSetDllSafe = Find<OrvexSetDllSafeFn>("OrvexSetDllSafe");
};

// A fresh folder under the system's temporary folder, removed with everything in it at the
// end. Paths are handed out in Windows form, as the module sees them on every system.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }  // without a trailing separator
  // path() + "\" + relative, with relative given in either form.
  std::string PathOf(std::string relative) const;
  // Writes `bytes` exactly, creating the sub-folders on the way.
  void Write(const std::string& relative, const std::string& bytes) const;

 private:
  std::string path_;
};

// Files beside the test executable, where the module looks for the launcher's
// "liveupdateinfo.ini" and "taskinfo.ini": none at the start (a test that crashed may have
// left them), and the written ones removed at the end, so no test sees another's.
class LauncherFiles {
 public:
  LauncherFiles() {
    for (const char* name : {"liveupdateinfo.ini", "taskinfo.ini"}) Remove(name);
  }
  ~LauncherFiles() {
    for (const std::string& name : written_) Remove(name);
  }
  LauncherFiles(const LauncherFiles&) = delete;
  LauncherFiles& operator=(const LauncherFiles&) = delete;

  void Write(const std::string& name, const std::string& bytes);
  void Remove(const std::string& name);

 private:
  std::vector<std::string> written_;
};

class TestbedSession {
 public:
  TestbedSession() {
    if (auto testbed = module_.Find<testbed::OrvFactTestbedFn>("OrvFactTestbed"))
      control_ = testbed();
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
    if (auto configure = module_.Find<OrvFactConfigureFn>("OrvFactConfigure"))
      configure(ini.c_str());
  }
  std::string Journal() const { return control_ != nullptr ? control_->Journal() : ""; }
  void ClearJournal() const {
    if (auto clear = module_.Find<OrvFactClearJournalFn>("OrvFactClearJournal")) clear();
  }

 private:
  LoadedModule module_{"OrvFact.dll"};
  IComponentFactory* factory_ =
      static_cast<IComponentFactory*>(module_.CreateComponent(kComponentFactoryId, 0));
  testbed::ITestbedControl* control_ = nullptr;
};

// Probes of OrvProbe.dll, a module on the shared runtime, with the recording factory loaded
// before it (so that it outlives the probes' module) and reset around each test: a module that
// loaded it by configuration keeps it. A folder for the test's configuration files.
class ProbeTest : public ::testing::Test {
 protected:
  ProbeTest() { *recording = FactoryRecording(); }
  ~ProbeTest() override { *recording = FactoryRecording(); }
  IProbe* NewProbe(ProbeJournal* journal = nullptr) {
    auto* probe = static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0));
    if (probe != nullptr) probe->Init(journal);
    return probe;
  }

  platform::DebugCapture debug;
  TempFolder folder;
  LoadedModule recorder{"OrvRecordingFactory.dll"};
  LoadedModule probes{"OrvProbe.dll"};
  FactoryRecording* recording = recorder.Find<RecordingFactoryFn>("RecordingFactory")();
};

}  // namespace orv::testing
