// CUpdateLogic, the update window (component 1374): the only component this module offers.
//
// The launcher hands it an IUpdateHost with Init, which loads the window's layout into the
// launcher's own window and binds its buttons; StartUpdate creates the framework's update
// engine and starts it. From then on the window answers the engine's events and the button
// clicks, on the launcher's user-interface thread, until Close (run by Release) undoes it.
#pragma once

#include <cstdint>
#include <memory>

#include "components/zuno/client/gamesettingui/game_setting_ui.h"
#include "framework/bounded_string.h"
#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/proxy_config.h"
#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "framework/interfaces/update_host.h"
#include "framework/interfaces/update_logic_interface.h"
#include "framework/runtime/logger.h"
#include "liveupdate/live_update_config.h"
#include "module/component_base.h"

namespace orv {

// The sink interfaces with the version answer every sink gives.
class CUpdateEngineEventBase : public IUpdateEngineEvent {
 public:
  int GetSinkVersion() override { return 1; }

 protected:
  ~CUpdateEngineEventBase() = default;
};

class CUIEventSinkBase : public IUIEventSink {
 public:
  int GetSinkVersion() override { return 1; }

 protected:
  ~CUIEventSinkBase() = default;
};

class CUpdateLogic final : public TComponentBase<IUpdateLogic, kUpdateLogicId>,
                           public CUpdateEngineEventBase,
                           public CUIEventSinkBase {
 public:
  CUpdateLogic();
  ~CUpdateLogic() override;

  // IUpdateLogic
  int Init(IUpdateHost* host, std::uint32_t embedded) override;
  int StartUpdate(std::uint32_t argument) override;
  int SetShowProxyButton(int show) override;
  void Close() override;

  // IUpdateEngineEvent (update_events.cpp, progress_display.cpp)
  void OnUpdateFinish() override;
  void OnUpdateFail(std::uint32_t error_code) override;
  void OnUpdateSuccess() override;
  void OnNeedUpdate() override;
  void OnUpdateProgress(const UpdateProgressInfo* info) override;
  void OnStageTiming() override;

  // IUIEventSink (window_buttons.cpp)
  void OnUIEvent(std::uint32_t control_id, IPropertyBag* event) override;

 private:
  // window_buttons.cpp: the layout and the four buttons.
  int LoadLayoutAndBindButtons();
  void UnbindButtons(IUILayoutEngine* ui);
  void OnCancelClick();
  void OnRetryClick();
  void OnStartGameClick();
  void OnProxyClick();

  // view_helpers.cpp
  IUILayoutEngine* UIEngine();
  void ShowControl(const char* name, int show);  // `show` reaches Show and Enable as given
  void ShowCancelOrRetry(bool show_cancel);
  void ShowRootView(bool show);
  void ShowResultView(bool show_update, std::uint32_t error_code);

  // progress_display.cpp
  void ResetProgressView();
  static void ApplyTemplates(IUIObject* container, const char (*placeholders)[kPathSize],
                             const char (*values)[kPathSize], int count);

  // connecting_dialog.cpp
  int LoadConnectingDialog();
  void ShowConnectingDialog(bool show);

  // Unadvises and releases the update engine, if one is held.
  void ReleaseEngine();
  // The launcher let go of the window (possibly during an outside call of a handler, which
  // then goes on): nothing that only Close would undo (an engine, a dialog, a binding) may be
  // made any more.
  bool Closed() const { return alive() != 1; }
  IUpdateEngine* engine() const { return static_cast<IUpdateEngine*>(engine_); }
  IUpdateEngineEvent* AsEngineEvent() { return static_cast<IUpdateEngineEvent*>(this); }
  IUIEventSink* AsUIEventSink() { return static_cast<IUIEventSink*>(this); }

  Logger logger_;
  IComponent* engine_ = nullptr;
  IUpdateHost* host_ = nullptr;
  IUIObject* container_ = nullptr;
  CLiveUpdateConfig config_;
  std::uint32_t average_speed_ = 0;
  std::uint32_t start_argument_ = 0;
  ProxyConfig proxy_{};
  std::uint32_t phase_ = 0;
  std::uint32_t update_kind_ = 1;
  std::int32_t progress_seen_ = 0;
  std::int32_t embedded_ = 0;
  std::int32_t show_proxy_button_ = 1;
  IComponent* connecting_dialog_ = nullptr;
  std::unique_ptr<GameSettingUI> proxy_dialog_;
  std::int32_t need_reported_ = 0;
  std::uint32_t download_start_tick_ = 0;
  std::uint32_t install_start_tick_ = 0;
  std::uint32_t start_tick_ = 0;

  // The proxy dialog's events keep the window (and so the dialog) in memory while they run.
  class ProxyDialogKeeper final : public DialogKeeper {
   public:
    explicit ProxyDialogKeeper(CUpdateLogic* window) : window_(window) {}
    void HoldDialog() override { window_->BeginHeldCall(); }
    void ReleaseDialog() override { window_->EndHeldCall(); }

   private:
    CUpdateLogic* window_;
  };
  ProxyDialogKeeper dialog_keeper_{this};
  bool close_running_ = false;  // a release from inside Close leaves the work to it
};

}  // namespace orv
