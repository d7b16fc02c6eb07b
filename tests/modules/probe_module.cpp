// OrvProbe.dll: a component module on the shared runtime, whose components let tests drive the
// component base through its interfaces: guarded calls that run a test's action, listener
// notification, child creation. Its creator table is filled to the brim on purpose.
#include <atomic>
#include <chrono>
#include <new>
#include <thread>

#include "framework/runtime/logger.h"
#include "framework/runtime/orvex_ptr.h"
#include "framework/runtime/root_path.h"
#include "liveupdate/live_update_config.h"
#include "module/component_base.h"
#include "module/creator_table.h"
#include "msgbox/zuno_message_box.h"
#include "tests/modules/probe_interfaces.h"

namespace orv::testing {
namespace {

template <class Probe>
IComponent* Create() {
  auto* probe = new (std::nothrow) Probe;
  return probe ? probe->AsComponent() : nullptr;
}

class ProbeComponent : public TComponentBase<IProbe, kProbeId> {
 public:
  ~ProbeComponent() override {
    if (journal_ != nullptr) ++journal_->destructions;
  }

  int Init(ProbeJournal* journal) override {
    auto guard = EnterCall();
    journal_ = journal;
    return 1;
  }

  void Run(ProbeAction action, void* context) override {
    auto guard = EnterCall();
    if (journal_ != nullptr) journal_->call_depth_seen = call_depth();
    if (action != nullptr) action(this, context);
  }

  void NotifyAll() override {
    auto guard = EnterCall();
    NotifyListeners([](void* listener) { static_cast<IProbeListener*>(listener)->OnNotify(); });
  }

  void Close() override {
    if (journal_ == nullptr) return;
    ++journal_->closes;
    if (journal_->release_in_close) Release(0);
  }

  int CreateChildProbe(IComponent** out, const char* registry) override {
    return CreateChild<kProbeId>(out, registry);
  }

  int ReleaseChildProbe(IComponent** slot) override { return ReleaseChild(slot); }

  IEventSource* Events() override { return this; }

  const char* RootPath() override { return GetRootPath(); }

  int MakeRootPathOf(const char* path, char* out, int out_size) override {
    return MakeRootPath(path, out, out_size);
  }

  IComponent* ObtainAndDrop(ComponentId id, const char* registry, int detach) override {
    TOrvexPtr<IComponent, true> pointer(registry, id);
    IComponent* component = pointer.get();
    if (detach != 0) pointer.detach();
    return component;
  }

  IComponent* ObtainMessageBoxAndDrop() override {
    TOrvexFixedPtr<IComponent, kMessageBoxId, true, FactoryRoute::kLoadedFirst> pointer(nullptr);
    return pointer.get();
  }

  void PrintError(int loaded_first, const char* text) override {
    (loaded_first != 0 ? ErrorPrintLoadedFirst : ErrorPrint)("%s", text);
  }

  void NewLiveUpdateConfig() override { CLiveUpdateConfig config; }

  void ReadInfoText(const char* section, const char* key, char* out, int size) override {
    CLiveUpdateConfig::GetLiveUpdateInfo(section, key, out, size);
  }

  int ReadInfoNumber(const char* section, const char* key) override {
    int value = 0;
    CLiveUpdateConfig::GetLiveUpdateInfo(section, key, &value);
    return value;
  }

  const char* LiveUpdateConfigPath() override { return CLiveUpdateConfig::ConfigurationPath(); }

  int ShowBox(void* owner, const char* text, const char* caption, std::uint32_t style) override {
    return ZunoMessageBoxImpl(owner, text, caption, style);
  }

  void Log(int error, const char* format, int value) override {
    error != 0 ? logger_.Error(format, value) : logger_.Trace(format, value);
  }

  // A sibling made directly, as another module's factory would: never in this module's map.
  IComponent* CreateUnlisted() override { return Create<ProbeComponent>(); }

 private:
  ProbeJournal* journal_ = nullptr;
  Logger logger_{kProbeId};
};

IComponent* CreateNothing() { return nullptr; }

// The factory's own component, were it built on this runtime: its module never tells the
// factory that it is empty.
class FactoryIdProbe final : public ProbeComponent {
 public:
  std::uint32_t GetComponentID() override { return kComponentFactoryId; }
};

// A creator may call back into its module, from any thread: another thread must be able to
// take the module lock while it runs. It gives up after five seconds and makes nothing.
IComponent* CreateWhenTheLockIsFree() {
  static std::atomic<bool> taken;
  taken = false;
  std::thread other([] {
    ModuleLockHold hold;
    taken = true;
  });
  for (int i = 0; i < 500 && !taken; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!taken) {
    other.detach();  // it gets the lock once the caller lets go
    return nullptr;
  }
  other.join();
  return Create<ProbeComponent>();
}

// Registration order matters: the first 7001 wins over the later duplicate, id 0 and a null
// creator are dropped, and the fillers stop fitting at the 513th accepted registration.
struct FillTable {
  FillTable() {
    RegisterCreator(kProbeId, &Create<ProbeComponent>);
    RegisterCreator(kNullProbeId, &CreateNothing);
    RegisterCreator(kProbeId, &CreateNothing);
    RegisterCreator(0, &Create<ProbeComponent>);
    RegisterCreator(7004, nullptr);
    RegisterCreator(kLockCheckProbeId, &CreateWhenTheLockIsFree);
    RegisterCreator(kFactoryIdProbeId, &Create<FactoryIdProbe>);
    for (ComponentId id = kFillerFirstId; id <= kProbeRejectedId; ++id)
      RegisterCreator(id, &Create<ProbeComponent>);
  }
} const kFillTable;

}  // namespace
}  // namespace orv::testing
