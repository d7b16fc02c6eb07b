// GameSettingUI: the proxy settings dialog of the update window. A plain object of the module
// (not a framework component): the update window creates it with its own construction and
// deletes it with its own destruction. Construction obtains the dialog's own UI layout engine
// (186) and the two proxy test connections (SOCKS5 56, HTTP 55) from the factory, in that
// order; destruction releases them in the reverse order.
#pragma once

#include <cstdint>

#include "framework/logger.h"
#include "framework/orvex_ptr.h"
#include "framework/proxy_config.h"
#include "framework/root_path.h"
#include "framework/ui_layout_engine.h"
#include "module/component_interfaces.h"

namespace orv {

class IUpdateHost;

class GameSettingUI {
 public:
  GameSettingUI();
  virtual ~GameSettingUI() = default;
  GameSettingUI(const GameSettingUI&) = delete;
  GameSettingUI& operator=(const GameSettingUI&) = delete;

  // 1 when a modal run was ended by the OK button.
  int ShowDialog(int modal);
  // Copies the controls into the entry at the combo position of `config`.
  void FillConfigFromControls(ProxyConfig* config);

 private:
  CStringHelper strings_;
  Logger logger_{1};
  std::int32_t created_ = 0;
  TOrvexFixedPtr<IUILayoutEngine, kUILayoutEngineId, true> dialog_engine_{nullptr};
  IUpdateHost* owner_ = nullptr;
  TOrvexFixedPtr<IComponent, kSocks5TestConnectionId, true, FactoryRoute::kLoadedFirst>
      socks5_connection_{nullptr};
  TOrvexFixedPtr<IComponent, kHttpTestConnectionId, true, FactoryRoute::kLoadedFirst>
      http_connection_{nullptr};
};

}  // namespace orv
