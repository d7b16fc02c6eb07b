// The window's layout and its four buttons: loading the view into the launcher's window,
// binding and unbinding the buttons, and what each click does.
#include <cstring>

#include "framework/interfaces/message_box_interface.h"
#include "framework/runtime/root_path.h"
#include "msgbox/zuno_message_box.h"
#include "update/ui_objects.h"
#include "update/update_logic.h"
#include "update/update_texts.h"

namespace orv {
namespace {

using namespace update_texts;

enum : std::uint32_t { kCancel, kRetry, kStartGame, kProxy, kButtonCount };

void FindButtons(IUILayoutEngine* ui, std::uint32_t (&ids)[kButtonCount]) {
  for (std::uint32_t i = 0; i < kButtonCount; ++i) ids[i] = ui->FindControl(kButtons[i]);
}

}  // namespace

int CUpdateLogic::LoadLayoutAndBindButtons() {
  IUILayoutEngine* ui = host_->GetUIEngine();
  if (ui == nullptr) return 0;
  IUIWindowRoot* root = ui->GetRootObject();
  char path[kPathSize] = {};
  MakeRootPath(kLayoutFile, path, sizeof path);
  if (root == nullptr) return 0;
  Append(path, sizeof path, kLayoutNode);  // only when it still fits; else the file alone
  ui->AttachObject(root->LoadFromLayout(path, 1));
  container_ = ui->GetControl(ui->FindControl(kContainer));
  std::uint32_t ids[kButtonCount];
  FindButtons(ui, ids);
  // Released meanwhile: Close has unbound what there was, and buttons bound now would lead
  // to a freed window. The layout itself holds nothing of the window and stays loaded.
  if (container_ == nullptr || Closed()) return 0;
  for (std::uint32_t id : ids) ui->AddEventSink(id, AsUIEventSink());
  return 1;
}

void CUpdateLogic::UnbindButtons(IUILayoutEngine* ui) {
  for (std::uint32_t i = 0; i < kButtonCount; ++i) {
    const std::uint32_t id = ui->FindControl(kButtons[i]);
    ui->RemoveEventSink(id, AsUIEventSink());
    if (i == kCancel) ui->ReleaseControl(id);
  }
}

void CUpdateLogic::OnUIEvent(std::uint32_t control_id, IPropertyBag* event) {
  auto guard = EnterCall();
  if (host_ == nullptr) return;
  IUILayoutEngine* ui = host_->GetUIEngine();
  if (ui == nullptr || event == nullptr) return;
  std::uint32_t ids[kButtonCount];
  FindButtons(ui, ids);
  if (event->GetInt(kEventCodeKey, 0) != kEventClick) return;
  if (control_id == ids[kCancel]) {
    OnCancelClick();
  } else if (control_id == ids[kRetry]) {
    OnRetryClick();
  } else if (control_id == ids[kStartGame]) {
    OnStartGameClick();
  } else if (control_id == ids[kProxy]) {
    OnProxyClick();
  }
}

void CUpdateLogic::OnCancelClick() {
  char notice[kNoticeSize];
  std::memset(notice, 0, sizeof notice);
  const char* section = update_kind_ == kUpdateAdvised ? "canceladviseupdatewhendownload"
                                                       : "cancelupdatewhendownload";
  int type = -1;
  CLiveUpdateConfig::GetLiveUpdateInfo(section, "Notice", notice, sizeof notice);
  CLiveUpdateConfig::GetLiveUpdateInfo(section, "type", &type);
  if (type == -1) type = 1;
  if (ZunoMessageBoxImpl(nullptr, notice, kMessageBoxCaption, static_cast<std::uint32_t>(type)) !=
      kAnswerYes) {
    return;
  }
  if (phase_ == kPhaseDownload && container_ != nullptr) {
    ReleaseEngine();
    if (update_kind_ == kUpdateAdvised) {
      OnUpdateFinish();
    } else {
      ShowCancelOrRetry(false);
    }
  } else if (phase_ == kPhaseInstall) {
    // Too late to stop: say so; the installation goes on whatever the answer.
    int install_type = -1;
    CLiveUpdateConfig::GetLiveUpdateInfo("cancelupdatewheninstall", "Notice", notice,
                                         sizeof notice);
    CLiveUpdateConfig::GetLiveUpdateInfo("cancelupdatewheninstall", "type", &install_type);
    if (install_type == -1) install_type = 0;
    ZunoMessageBoxImpl(nullptr, notice, kMessageBoxCaption,
                       static_cast<std::uint32_t>(install_type));
  }
}

void CUpdateLogic::OnRetryClick() {
  IUpdateLogic* self = this;  // through the component's own interface, as any caller would
  if (self->StartUpdate(start_argument_) != 0) ShowCancelOrRetry(true);
}

void CUpdateLogic::OnStartGameClick() {
  ShowInUpdate(container_, false);
  ReleaseEngine();
  NotifyListeners(
      [](void* listener) { static_cast<IUpdateWindowListener*>(listener)->OnStartGame(); });
}

void CUpdateLogic::OnProxyClick() {
  if (proxy_dialog_ == nullptr || host_ == nullptr) return;
  // The dialog gets the launcher as its owner before its first run, so that it starts from
  // the stored entry and its Test button can test.
  if (proxy_dialog_->owner() != host_) proxy_dialog_->InitDialog(0, host_);
  // A window the launcher let go of meanwhile runs no dialog: its owner may be gone.
  if (Closed() || proxy_dialog_->ShowDialog(1) == 0) return;
  // The chosen entry goes into the launcher's stored record as it is now, so that its other
  // entries stay exactly as they were: the window's own record may be all zeros (before any
  // start, or after a start whose entry was unusable), and storing that would wipe them.
  // Whatever GetProxyConfig answers, what it wrote is used; a launcher that writes nothing
  // has nothing stored to lose.
  ProxyConfig stored;
  std::memset(&stored, 0, sizeof stored);
  stored.entry_count = kProxyEntryCount;
  host_->GetProxyConfig(&stored);
  proxy_dialog_->FillConfigFromControls(&stored);
  stored.entry_count = kProxyEntryCount;  // every record handed to the host has its three
  proxy_ = stored;
  host_->SetProxyConfig(&proxy_);
}

}  // namespace orv
