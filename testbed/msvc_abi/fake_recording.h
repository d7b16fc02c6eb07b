// What every object of the fake framework shares: the journal it writes, the check that a
// call reached one of its objects, and IComponent's slots.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {

extern int g_live;  // engines, dialogs' engines and connections handed out, not yet released

// True for an address inside this DLL's image, where every fake object lives (static
// storage: no C runtime runs here to make a heap).
bool Ours(const void* object);
bool Ours(std::uintptr_t address);
// Checks the arrival (CheckArrival), then writes "<object>.<method>(<numbers>[,"<text>"])".
void Note(const void* self, const char* object, const char* method,
          const std::uint32_t* numbers = nullptr, int count = 0, const char* text = nullptr);
inline void Note1(const void* self, const char* object, const char* method, std::uint32_t value) {
  Note(self, object, method, &value, 1);
}
void NoteLine(const char* line);

// IComponent's slots 0 to 7 for a fake of component `kId`; a second interface (`More`) comes
// right after the first's table pointer, before any data, as the contract places it.
template <class Interface, ComponentId kId, class... More>
class Fake : public Interface, public More... {
 public:
  constexpr Fake() = default;
  std::uint32_t GetComponentID() override { return kId; }
  int IsAlive() override { return 1; }
  void Release(int) override {
    Note1(this, "Release", "component", kId);
    if (in_use_) --g_live;
    in_use_ = false;
  }
  int GetFreeInMap() override { return free_in_map_; }
  void SetFreeInMap(int value) override { free_in_map_ = value; }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  bool in_use_ = false;
  int free_in_map_ = 0;
};

// Takes a free one of `pool`, or null.
template <class T, int kCount>
T* Take(T (&pool)[kCount]) {
  for (T& item : pool) {
    if (!item.in_use_) return item.in_use_ = true, ++g_live, &item;
  }
  return nullptr;
}

// The UI engines (fake_ui.cpp): one of the launcher window, or one of a dialog.
IComponent* TakeUIEngine(bool launcher_window);

}  // namespace orv::msvc_abi
