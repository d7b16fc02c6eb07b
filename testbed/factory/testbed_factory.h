// The component factory (361) of the testbed's OrvFact.dll: the framework as the module sees
// it. One instance per process.
//
// It creates the testbed's own components, and for any other id loads the module named by
// the "DLL" entry of that id's section in the configuration, tells it the registry string and
// this factory's module handle (as the framework does with the modules it loads), and creates
// the component there. It hands out the log configuration and owns the log file and its lock.
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "framework/interfaces/component_factory.h"
#include "platform/module_handle.h"
#include "platform/recursive_lock.h"

namespace orv::testbed {

class TestbedFactory final : public IComponentFactory {
 public:
  static TestbedFactory& Instance();

  // IComponent: the factory lives as long as its DLL; Release does nothing.
  std::uint32_t GetComponentID() override { return kComponentFactoryId; }
  int IsAlive() override { return 1; }
  void Release(int) override {}
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}

  IComponent* CreateById(ComponentId component_id, const char* registry) override;
  int GetLogConfig(const char* module_name, ComponentId module_id, std::uint32_t* debug_mask,
                   std::uint32_t* file_mask, LogFileRecord** record) override;
  void Unused10() override {}
  void Unused11() override {}
  void Unused12() override {}
  int NotifyModuleEmpty(platform::ModuleHandle module) override;
  void Unused14() override {}
  void Unused15() override {}
  void Unused16() override {}
  int ReleaseComponent(IComponent* component) override;

  // Unloads every module the factory loaded that says it can be unloaded (after letting it
  // release what it keeps for OrvexDllFreeMap); answers how many stay loaded. The launcher
  // calls it before it lets go of the factory DLL.
  int UnloadIdleModules();

 private:
  TestbedFactory();
  ~TestbedFactory();

  IComponent* CreateFromConfiguredModule(ComponentId component_id, const char* registry);
  std::string ModuleName(platform::ModuleHandle module) const;

  int free_in_map_ = 0;
  std::mutex mutex_;
  std::map<std::string, platform::ModuleHandle> modules_;  // by path, loaded once each
  std::set<IComponent*> handed_out_;                       // released through ReleaseComponent
  platform::RecursiveLock log_lock_;
  LogFileRecord log_record_{};
  std::string log_file_path_;
};

}  // namespace orv::testbed
