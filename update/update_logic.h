// CUpdateLogic, the update window (component 1374): the only component this module offers.
#pragma once

#include <cstdint>

#include "framework/logger.h"
#include "liveupdate/live_update_config.h"
#include "module/component_base.h"
#include "module/component_interfaces.h"

namespace orv {

class IUpdateHost;

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

class CUpdateLogic : public TComponentBase<IUpdateLogic, kUpdateLogicId> {
 public:
  CUpdateLogic();

  int Init(IUpdateHost* host, std::uint32_t embedded) override;
  int StartUpdate(std::uint32_t argument) override;
  int SetShowProxyButton(int show) override;
  void Close() override;

 private:
  Logger logger_;
  IUpdateHost* host_ = nullptr;
  CLiveUpdateConfig config_;
  std::uint32_t embedded_ = 0;
  std::int32_t show_proxy_button_ = 1;
};

}  // namespace orv
