// The update window's own interface (component 1374), as the launcher calls it.
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/update_host.h"

namespace orv {

// The update window's primary interface: IComponent, then its own slots 8 to 12.
class IUpdateLogic : public IComponent {
 public:
  virtual int Init(IUpdateHost* host, std::uint32_t embedded) = 0;                   // slot 8
  virtual int StartUpdate(std::uint32_t argument) = 0;                               // slot 9
  virtual int SetShowProxyButton(int show) = 0;                                      // slot 10
  virtual void Close() = 0;                                                          // slot 11
  virtual void GetRegistryPath(const char* requested, char* out, int out_size) = 0;  // slot 12

 protected:
  ~IUpdateLogic() = default;
};

}  // namespace orv
