// What the window does on the update engine's events (progress is in progress_display.cpp).
#include "platform/clock.h"
#include "update/ui_objects.h"
#include "update/update_logic.h"
#include "update/update_texts.h"

namespace orv {

using namespace update_texts;

void CUpdateLogic::OnUpdateFinish() {
  auto guard = EnterCall();
  ShowConnectingDialog(false);
  ShowRootView(true);
  if (show_proxy_button_ != 0) ShowControl(kProxyButton, true);
  ReleaseEngine();
  if (progress_seen_ == 0) {  // no update ran
    if (embedded_ != 0) {
      ShowControl(kProgressBackground, false);
      ShowResultView(false, 0);
    } else {
      ShowInUpdate(container_, false);
      NotifyListeners(
          [](void* listener) { static_cast<IUpdateWindowListener*>(listener)->OnStartGame(); });
    }
    // Sent even when a listener let go of the window in OnStartGame: the guard keeps the
    // window in memory until this handler returns.
    if (host_ != nullptr && need_reported_ == 0) {
      host_->ReportStat(kStatUpdateProgress, 0);
      host_->ReportStat(kStatInstallTime, 0);
    }
  } else if (host_ != nullptr) {
    // A run that never reached its install phase (the download start is still pending) took
    // no install time: 0, rather than a difference from a stale or zero install start.
    const bool installed = download_start_tick_ == 0 && install_start_tick_ != 0;
    host_->ReportStat(kStatInstallTime,
                      installed ? platform::TickCount() - install_start_tick_ : 0);
  }
  logger_.Trace("CUpdateLogic::OnUpdateSuccess");  // kept as written: the finish logs this text
}

void CUpdateLogic::OnUpdateFail(std::uint32_t error_code) {
  auto guard = EnterCall();
  logger_.Error("CUpdateLogic::OnUpdateFail");
  ShowConnectingDialog(false);
  if (show_proxy_button_ != 0) ShowControl(kProxyButton, true);
  ShowRootView(true);
  ShowCancelOrRetry(false);
  if (progress_seen_ == 0) ShowResultView(false, error_code);
  ReleaseEngine();
  if (host_ != nullptr) host_->ReportStat(kStatError, error_code);
}

void CUpdateLogic::OnUpdateSuccess() {
  auto guard = EnterCall();
  logger_.Trace("CUpdateLogic::OnUpdateSuccess");
  ShowResultView(false, 0);
}

void CUpdateLogic::OnNeedUpdate() {
  auto guard = EnterCall();
  logger_.Trace("CUpdateLogic::OnNeedUpdate");
}

// Neither asserted nor guarded: it only reports how long the start took.
void CUpdateLogic::OnStageTiming() {
  if (host_ == nullptr || start_tick_ == 0) return;
  // Cleared before the host hears of it: no guard holds the window here, and a host may
  // release it from ReportStat, after which not even this member may be written.
  const std::uint32_t elapsed = platform::TickCount() - start_tick_;
  start_tick_ = 0;
  host_->ReportStat(kStatStartTime, elapsed);
}

}  // namespace orv
