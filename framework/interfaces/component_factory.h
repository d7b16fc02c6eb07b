// The framework's component factory (component 361), which lives in the factory DLL.
// Only the slots this module calls are named; the others are declared so that every slot
// keeps its number.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "platform/module_handle.h"

namespace orv::platform {
struct NativeLock;  // the lock's native object (CRITICAL_SECTION on Windows), opaque here
}  // namespace orv::platform

namespace orv {

// What the factory hands a logger: the lock shared by every writer of the log file, then the
// file itself (a HANDLE on Windows, a file descriptor on POSIX; all bits set: no file).
struct LogFileRecord {
  platform::NativeLock* lock;
  std::intptr_t file;
};

static_assert(sizeof(LogFileRecord) == 2 * sizeof(void*), "two pointer-sized fields");

class IComponentFactory : public IComponent {
 public:
  virtual IComponent* CreateById(ComponentId component_id, const char* registry) = 0;  // slot 8
  virtual int GetLogConfig(const char* module_name, ComponentId module_id,
                           std::uint32_t* debug_mask, std::uint32_t* file_mask,
                           LogFileRecord** record) = 0;  // slot 9
  virtual void Unused10() = 0;                           // slot 10
  virtual void Unused11() = 0;                           // slot 11
  virtual void Unused12() = 0;                           // slot 12
  // Informative: the calling module holds no live component any more.
  virtual int NotifyModuleEmpty(platform::ModuleHandle module) = 0;  // slot 13
  virtual void Unused14() = 0;                                       // slot 14
  virtual void Unused15() = 0;                                       // slot 15
  virtual void Unused16() = 0;                                       // slot 16
  // Nonzero: the factory has released the component; 0: the caller must Release it itself.
  virtual int ReleaseComponent(IComponent* component) = 0;  // slot 17

 protected:
  ~IComponentFactory() = default;
};

}  // namespace orv
