// TOrvexPtr: a component obtained by ComponentId through the framework's factory.
//
// The releasing form hands the component back on destruction (to the factory, or to the
// component itself when the factory declines); the non-releasing form leaves it alive and
// marks it free-in-map, so that its own module's OrvexDllFreeMap can release it later.
//
// Two ways to give the id: at construction with a registry string (TOrvexPtr, where a null or
// empty registry string means the module's own), or fixed by the type (TOrvexFixedPtr, where
// the registry string is passed on as given, null included).
#pragma once

#include "framework/interfaces/component_factory.h"
#include "framework/runtime/factory_access.h"
#include "framework/runtime/module_state.h"

namespace orv {

template <class T, bool kRelease, FactoryRoute kRoute = FactoryRoute::kStandard>
class TOrvexPtr {
 public:
  TOrvexPtr(const char* registry, ComponentId component_id) {
    if (registry == nullptr || *registry == '\0') registry = Module().registry_path;
    if (component_id == 0) ErrorPrint("[Orvex_Error] TOrvexPtr with ComponentId = 0\n");
    Obtain(component_id, registry);
  }

  virtual ~TOrvexPtr() { reset(); }

  TOrvexPtr(const TOrvexPtr&) = delete;
  TOrvexPtr& operator=(const TOrvexPtr&) = delete;

  T* get() const { return component_; }
  T* operator->() const { return component_; }

  // Lets go of the component now (as the destructor would), for owners that must release it
  // before other members of theirs are destroyed.
  void reset() {
    T* component = component_;
    component_ = nullptr;
    if (kRelease && component != nullptr) {
      if (factory_ == nullptr || factory_->ReleaseComponent(component) == 0) component->Release(0);
    }
  }

  // Hands the component over; the destructor then leaves it alone.
  T* detach() {
    T* component = component_;
    component_ = nullptr;
    return component;
  }

 protected:
  struct FixedId {};
  TOrvexPtr(FixedId, ComponentId component_id, const char* registry) {
    Obtain(component_id, registry);
  }

 private:
  void Obtain(ComponentId component_id, const char* registry) {
    factory_ = AcquireFactory(registry, kRoute);
    if (factory_ == nullptr) return;
    component_ = static_cast<T*>(factory_->CreateById(component_id, registry));
    if (component_ != nullptr) component_->SetFreeInMap(kRelease ? 0 : 1);
  }

  T* component_ = nullptr;
  IComponentFactory* factory_ = nullptr;  // never released by the pointer
};

template <class T, ComponentId kComponentId, bool kRelease,
          FactoryRoute kRoute = FactoryRoute::kStandard>
class TOrvexFixedPtr : public TOrvexPtr<T, kRelease, kRoute> {
 public:
  explicit TOrvexFixedPtr(const char* registry)
      : TOrvexPtr<T, kRelease, kRoute>(typename TOrvexPtr<T, kRelease, kRoute>::FixedId{},
                                       kComponentId, registry) {}
};

}  // namespace orv
