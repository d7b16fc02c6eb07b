#include "testbed/factory/testbed_factory.h"

#include "framework/interfaces/module_exports.h"
#include "platform/shared_file.h"
#include "testbed/common/call_journal.h"
#include "testbed/common/factory_config.h"
#include "testbed/connections/proxy_test_connection.h"
#include "testbed/factory/message_box_component.h"
#include "testbed/factory/registry_component.h"
#include "testbed/ui_engine/ui_layout_engine.h"
#include "testbed/update_engine/update_engine_component.h"

namespace orv::testbed {
namespace {

std::string Text(const char* s) { return s ? s : "<null>"; }

FactoryConfig ConfigFor(const char* registry) {
  return (registry == nullptr || *registry == '\0') ? DefaultConfig()
                                                    : FactoryConfig::FromRegistry(registry);
}

}  // namespace

TestbedFactory& TestbedFactory::Instance() {
  static TestbedFactory factory;
  return factory;
}

TestbedFactory::TestbedFactory() {
  log_lock_.Initialize();
  log_record_.lock = log_lock_.native();
  log_record_.file = platform::kInvalidFile;
}

TestbedFactory::~TestbedFactory() {
  platform::CloseSharedFile(log_record_.file);
  log_lock_.Destroy();
}

IComponent* TestbedFactory::CreateById(ComponentId component_id, const char* registry) {
  Journal().Record("CreateById(" + std::to_string(component_id) + "," + Text(registry) + ")");
  IComponent* component = nullptr;
  switch (component_id) {
    case kComponentFactoryId: return this;
    case kRegistryId:
      component =
          new RegistryComponent(ConfigFor(registry).ReadPath("Registry", "orvex_rootpath_data"));
      break;
    case kMessageBoxId: component = new MessageBoxComponent; break;
    case kUILayoutEngineId: component = new UILayoutEngine; break;
    case kUpdateEngineId: component = new UpdateEngineComponent; break;
    case kSocks5TestConnectionId: component = new Socks5TestConnection; break;
    case kHttpTestConnectionId: component = new HttpTestConnection; break;
    default: return CreateFromConfiguredModule(component_id, registry);
  }
  std::lock_guard<std::mutex> hold(mutex_);
  handed_out_.insert(component);
  return component;
}

IComponent* TestbedFactory::CreateFromConfiguredModule(ComponentId component_id,
                                                       const char* registry) {
  const FactoryConfig config = ConfigFor(registry);
  const std::string path = config.ReadPath(std::to_string(component_id).c_str(), "DLL");
  if (path.empty()) return nullptr;

  platform::ModuleHandle module = nullptr;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    auto known = modules_.find(path);
    if (known != modules_.end()) {
      module = known->second;
    } else {
      module = platform::LoadModule(path.c_str());
      if (module == nullptr) return nullptr;
      modules_.emplace(path, module);
      Journal().Record("LoadModule(" + path + ")");
      // What the framework tells every module it loads: where its configuration is, and
      // which factory module to use.
      if (auto set_registry =
              reinterpret_cast<SetDLLRegistryFn>(platform::FindExport(module, "SetDLLRegistry"))) {
        set_registry(config.file().c_str());
      }
      if (auto set_factory = reinterpret_cast<SetFactoryHandleFn>(
              platform::FindExport(module, "SetFactoryHandle"))) {
        set_factory(platform::ModuleContaining(reinterpret_cast<const void*>(&Instance)));
      }
    }
  }
  auto create =
      reinterpret_cast<CreateComponentFn>(platform::FindExport(module, "CreateComponent"));
  IComponent* component = create ? create(component_id, 0) : nullptr;
  if (component != nullptr) {
    std::lock_guard<std::mutex> hold(mutex_);
    handed_out_.insert(component);
  }
  return component;
}

int TestbedFactory::GetLogConfig(const char* module_name, ComponentId module_id,
                                 std::uint32_t* debug_mask, std::uint32_t* file_mask,
                                 LogFileRecord** record) {
  Journal().Record("GetLogConfig(" + Text(module_name) + "," + std::to_string(module_id) + ")");
  const FactoryConfig& config = DefaultConfig();
  if (debug_mask != nullptr)
    *debug_mask = static_cast<std::uint32_t>(config.ReadInt("Log", "DebugMask", 0));
  if (file_mask != nullptr)
    *file_mask = static_cast<std::uint32_t>(config.ReadInt("Log", "FileMask", 0));

  const std::string path = config.ReadPath("Log", "File");
  if (path.empty() || record == nullptr) return 1;
  log_lock_.Enter();
  if (path != log_file_path_) {
    platform::CloseSharedFile(log_record_.file);
    log_record_.file = platform::OpenSharedFile(path.c_str());
    log_file_path_ = path;
  }
  log_lock_.Leave();
  *record = &log_record_;
  return 1;
}

int TestbedFactory::NotifyModuleEmpty(platform::ModuleHandle module) {
  Journal().Record("NotifyModuleEmpty(" + ModuleName(module) + ")");
  return 1;
}

int TestbedFactory::ReleaseComponent(IComponent* component) {
  if (component == nullptr) return 0;
  Journal().Record("ReleaseComponent(" + std::to_string(component->GetComponentID()) + ")");
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (handed_out_.erase(component) == 0) return 0;  // not ours: the caller releases it
  }
  component->Release(0);
  return 1;
}

int TestbedFactory::UnloadIdleModules() {
  std::lock_guard<std::mutex> hold(mutex_);
  for (auto entry = modules_.begin(); entry != modules_.end();) {
    platform::ModuleHandle module = entry->second;
    if (auto free_map =
            reinterpret_cast<OrvexDllFreeMapFn>(platform::FindExport(module, "OrvexDllFreeMap"))) {
      free_map();
    }
    auto can_unload = reinterpret_cast<OrvexDllCanUnloadNowFn>(
        platform::FindExport(module, "OrvexDllCanUnloadNow"));
    if (can_unload != nullptr && can_unload() == 0) {
      ++entry;
      continue;
    }
    Journal().Record("UnloadModule(" + entry->first + ")");
    platform::UnloadModule(module);
    entry = modules_.erase(entry);
  }
  return static_cast<int>(modules_.size());
}

std::string TestbedFactory::ModuleName(platform::ModuleHandle module) const {
  for (const auto& entry : modules_) {
    if (entry.second == module) {
      const size_t cut = entry.first.find_last_of('\\');
      return cut == std::string::npos ? entry.first : entry.first.substr(cut + 1);
    }
  }
  return "unknown module";
}

}  // namespace orv::testbed
