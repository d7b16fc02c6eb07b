// The base of every component this module implements.
//
// A component derives, in this order, from its primary interface (IComponent followed by the
// class's own slots 8 to 12), IEventSource, and DeletableComponent, whose only virtual
// operation is the destructor. The primary interface must declare `Close()` (the component's
// shutdown, run once by Release) and the slot-12 `GetRegistryPath`, which this base fills in.
//
// Components are never deleted directly. Release closes the component at once, but destroys
// it only when no call is in progress on it: an operation that ends in the component's own
// release (a button that closes the window, say) returns normally, and the destruction
// happens when its CallDepthGuard closes.
#pragma once

#include <cstdint>
#include <map>

#include "framework/bounded_string.h"
#include "framework/interfaces/component_interfaces.h"
#include "framework/runtime/module_state.h"
#include "framework/runtime/orvex_ptr.h"
#include "module/call_depth_guard.h"
#include "module/live_components.h"
#include "platform/debug_output.h"

namespace orv {

class DeletableComponent {
 public:
  virtual ~DeletableComponent() = default;
};

template <class PrimaryInterface, ComponentId kComponentId>
class TComponentBase : public PrimaryInterface, public IEventSource, public DeletableComponent {
 public:
  // IComponent
  std::uint32_t GetComponentID() override { return kComponentId; }
  int IsAlive() override { return 1; }
  void Release(int /*unused*/) override;
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}

  // Slot 12: the requested registry string, or the module's own when none is requested.
  // A string that does not fit leaves `out` unchanged.
  void GetRegistryPath(const char* requested, char* out, int out_size) override {
    if (out == nullptr || out_size < 1) return;
    if (requested == nullptr || *requested == '\0') {
      kStringFunctions.StrCopy(out, out_size, Module().registry_path);
    } else {
      kStringFunctions.StrCopy(out, out_size, requested);
    }
  }

  // IEventSource
  void Advise(void* listener, std::uint32_t cookie) override {
    if (listener == nullptr) return;
    Unadvise(listener);
    try {
      listeners_.emplace(listener, cookie);
    } catch (...) {  // out of memory: the listener is not advised; nothing leaves the module
    }
  }
  void Unadvise(void* listener) override { listeners_.erase(listener); }

  IComponent* AsComponent() { return this; }

 protected:
  TComponentBase() = default;
  ~TComponentBase() override = default;

  // The start of every externally called operation: the component must be alive (a call after
  // Close is the caller's error, reported and then served), and it stays in memory until the
  // returned guard closes. Use as `auto guard = EnterCall();`.
  CallDepthGuard EnterCall() {
    ORV_DEBUG_ASSERT(alive_ == 1);
    return CallDepthGuard(&call_depth_, &alive_, this);
  }

  // The same for a call that begins in one place and ends in another (an owned object's
  // event handler): EndHeldCall may complete a release made meanwhile, destroying `this`.
  void BeginHeldCall() { ++call_depth_; }
  void EndHeldCall() {
    if (--call_depth_ == 0 && alive_ == 0) this->Release(0);
  }

  // Calls `operation(listener)` on every listener advised when the pass begins, in address
  // order; a listener that is unadvised during the pass is skipped if not reached yet.
  template <class Operation>
  void NotifyListeners(Operation operation) {
    std::map<void*, std::uint32_t> pending;
    try {
      pending = listeners_;
    } catch (...) {  // out of memory: nobody can be told
      return;
    }
    while (!pending.empty()) {
      void* listener = pending.begin()->first;
      pending.erase(pending.begin());
      if (listeners_.count(listener) != 0) operation(listener);
    }
  }

  // Creates component kChildId through the factory; 1 with *out set, else 0 and *out untouched.
  // An empty registry string stands for the module's own.
  template <ComponentId kChildId>
  int CreateChild(IComponent** out, const char* registry) {
    if (out == nullptr) return 0;
    TOrvexPtr<IComponent, true> child(registry, kChildId);
    if (child.get() == nullptr) return 0;
    *out = child.detach();
    return 1;
  }

  // Releases the component in *slot and clears the slot; 0 when there was none.
  int ReleaseChild(IComponent** slot) {
    if (slot == nullptr || *slot == nullptr) return 0;
    (*slot)->Release(0);
    *slot = nullptr;
    return 1;
  }

  std::int32_t alive() const { return alive_; }
  std::int32_t call_depth() const { return call_depth_; }

 private:
  std::int32_t alive_ = 1;
  std::int32_t call_depth_ = 0;
  std::int32_t free_in_map_ = 0;
  std::map<void*, std::uint32_t> listeners_;
  bool closing_ = false;  // Close is running: a Release from inside it only waits
};

template <class PrimaryInterface, ComponentId kComponentId>
void TComponentBase<PrimaryInterface, kComponentId>::Release(int /*unused*/) {
  if (Module().dll_safe == 0) return;
  if (alive_ != 0 && !closing_) {
    // Close calls outside components; one of them releasing this component again must find
    // a call in progress, not a component free to be destroyed under the running Close.
    closing_ = true;
    ++call_depth_;
    this->Close();
    --call_depth_;
    alive_ = 0;
  }
  if (call_depth_ != 0) return;  // the outermost CallDepthGuard finishes the job
  const ComponentId id = GetComponentID();
  IComponent* const key = this;
  delete static_cast<DeletableComponent*>(this);
  RemoveComponent(key, id != kComponentFactoryId ? 1 : 0);
}

}  // namespace orv
