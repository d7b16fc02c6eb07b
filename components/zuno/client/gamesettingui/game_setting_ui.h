// GameSettingUI: the proxy settings dialog of the update window.
//
// The person picks a proxy type (none, SOCKS5, HTTP), enters address, port, user name,
// password and domain, may test the proxy, and ends the dialog with OK, Cancel or Close. The
// dialog is a plain object of the module, not a framework component: the update window
// creates it with its own construction, runs it modally from its Proxy button and deletes it
// with its own destruction. Construction obtains the dialog's own UI layout engine (186) and
// the two test connections (SOCKS5 56, HTTP 55) from the factory, in that order; destruction
// releases them in the reverse order. The proxy record itself is the launcher's, reached
// through the owner (IUpdateHost).
#pragma once

#include <cstdint>
#include <mutex>

#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/proxy_config.h"
#include "framework/interfaces/proxy_connection.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/runtime/logger.h"
#include "framework/runtime/orvex_ptr.h"

namespace orv {

class IUpdateHost;

// What keeps the dialog in memory while it handles an event: the window that owns it. The
// dialog's events may arrive when no call of the window's is running (a queued click after
// the modal run ended), and the launcher may let go of the window during any outside call.
class DialogKeeper {
 public:
  virtual void HoldDialog() = 0;
  virtual void ReleaseDialog() = 0;  // may destroy the dialog

 protected:
  ~DialogKeeper() = default;
};

class GameSettingUI : public IUIEventSink, public IConnectionSink {
 public:
  GameSettingUI();
  virtual ~GameSettingUI();
  GameSettingUI(const GameSettingUI&) = delete;
  GameSettingUI& operator=(const GameSettingUI&) = delete;

  // Makes `owner` the source and keeper of the proxy record, builds the dialog hidden and
  // fills it from the owner's selected entry. Answers 1.
  int InitDialog(std::uint32_t ignored, IUpdateHost* owner);
  // Builds the dialog once; modal: runs it, answering 1 when the OK button ended the run.
  int ShowDialog(int modal);
  // Copies the controls into the entry at the combo position of `config`.
  void FillConfigFromControls(ProxyConfig* config);
  // 1 when a test connection accepted the request; the outcome arrives later.
  int TestProxy();
  IUpdateHost* owner() const { return owner_; }
  void set_keeper(DialogKeeper* keeper) { keeper_ = keeper; }

  // IUIEventSink and IConnectionSink
  int GetSinkVersion() override { return 1; }
  void OnUIEvent(std::uint32_t control_id, IPropertyBag* event) override;
  void OnConnected() override;
  void OnCennetFail(int error_code) override;
  void OnConnectionNotice(std::uint32_t, std::uint32_t) override {}
  void OnConnectionState(std::uint32_t) override {}

 private:
  void LoadFromOwner();
  void GetProxyParamFromApp(ProxyEntry* out);
  void GetProxyParamFromAppFromIndex(ProxyEntry* out, int index);
  void FillControlsFromEntry(const ProxyEntry* entry, int select_type);
  void EnableProxyFields(bool enable);
  void Build();
  void CloseTestedConnection();
  IUIEventSink* AsUIEventSink() { return this; }
  IConnectionSink* AsConnectionSink() { return this; }

  Logger logger_;
  std::int32_t created_ = 0;
  TOrvexFixedPtr<IUILayoutEngine, kUILayoutEngineId, true> dialog_engine_;
  IUpdateHost* owner_ = nullptr;
  std::uint32_t test_id_ = 0;
  std::uint32_t ok_id_ = 0;
  std::uint32_t cancel_id_ = 0;
  std::uint32_t close_id_ = 0;
  IUIWindowRoot* root_ = nullptr;
  IUIComboBox* type_combo_ = nullptr;
  IUIEditBox* address_edit_ = nullptr;
  IUIEditBox* port_edit_ = nullptr;
  IUIEditBox* user_edit_ = nullptr;
  IUIPasswordEditBox* password_edit_ = nullptr;
  IUIEditBox* domain_edit_ = nullptr;
  TOrvexFixedPtr<IProxyConnection, kSocks5TestConnectionId, true, FactoryRoute::kLoadedFirst>
      socks5_connection_;
  TOrvexFixedPtr<IProxyConnection, kHttpTestConnectionId, true, FactoryRoute::kLoadedFirst>
      http_connection_;
  ProxyEntry tested_entry_{};  // what the running test connection was given
  std::mutex callback_mutex_;  // the connections' callbacks against the dialog's end
  bool closing_ = false;
  DialogKeeper* keeper_ = nullptr;
};

// The port a person typed: blanks around it ignored, then the decimal number at its start
// (optional sign, digits up to the first other character), 0 for an empty text, a text of
// 128 characters or more, or one without digits; kept to its low 16 bits.
std::uint16_t PortFromText(const char* text);

}  // namespace orv
