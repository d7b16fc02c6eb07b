#include "update/update_logic.h"

#include <cstring>
#include <new>

#include "module/creator_table.h"
#include "platform/clock.h"
#include "update/ui_objects.h"
#include "update/update_texts.h"

namespace orv {
namespace {

IComponent* CreateUpdateLogic() {
  auto* window = new (std::nothrow) CUpdateLogic;
  return window ? window->AsComponent() : nullptr;
}

const CreatorRegistration kRegisterUpdateLogic(kUpdateLogicId, &CreateUpdateLogic);

// Whether the launcher's selected proxy entry is one worth handing to the engine.
ProxyEntry* UsableProxy(ProxyConfig* config) {
  ProxyEntry* entry = EntryAt(config, config->selected_index);
  if (entry == nullptr || entry->address[0] == '\0' || entry->port == 0) return nullptr;
  return entry;
}

}  // namespace

CUpdateLogic::CUpdateLogic() : logger_(kUpdateLogicId) {
  proxy_dialog_.reset(new (std::nothrow) GameSettingUI);
  if (proxy_dialog_ != nullptr) proxy_dialog_->set_keeper(&dialog_keeper_);
  std::memset(&proxy_, 0, sizeof proxy_);
}

CUpdateLogic::~CUpdateLogic() {
  proxy_dialog_.reset();
  // Close has released these, unless one was being created when the launcher let go (inside
  // the factory's CreateById): it is stored only after Close ran, and goes here.
  if (connecting_dialog_ != nullptr) ReleaseChild(&connecting_dialog_);
  ReleaseEngine();
}

int CUpdateLogic::Init(IUpdateHost* host, std::uint32_t embedded) {
  auto guard = EnterCall();
  // A second Init takes the new host as it is and binds the buttons on its engine; the first
  // host is never called again (the launcher may already have destroyed it). Its window is
  // the launcher's to silence.
  host_ = host;
  embedded_ = static_cast<std::int32_t>(embedded);
  if (host_ == nullptr) return 0;
  return LoadLayoutAndBindButtons();
}

int CUpdateLogic::StartUpdate(std::uint32_t argument) {
  auto guard = EnterCall();
  int result = 0;
  progress_seen_ = 0;

  // No engine is started for a window the launcher already let go of: nothing would ever
  // unadvise or release it.
  if (engine_ == nullptr && !Closed() && CreateChild<kUpdateEngineId>(&engine_, nullptr)) {
    EventSourceOf(engine_)->Advise(AsEngineEvent(), 0);
  }

  if (engine_ != nullptr && container_ != nullptr) {
    ResetProgressView();
    ShowRootView(false);
    ShowInUpdate(container_, true);
    LoadConnectingDialog();

    UpdateStartParams params;
    std::memset(&params, 0, sizeof params);
    params.argument = argument;
    if (host_ != nullptr) {
      ClientInfo client;
      std::memset(&client, 0, sizeof client);
      if (host_->GetClientInfo(&client) != 0) params.client_field = client.client_field;
      host_->GetProxyConfig(&proxy_);
      if (ProxyEntry* entry = UsableProxy(&proxy_)) {
        if (engine_ != nullptr) engine()->UseProxy(entry);
      } else {
        std::memset(&proxy_, 0, sizeof proxy_);
      }
    }
    // The engine may report (and be released) from inside any call on it, and the launcher
    // may let go of the window (which releases the engine) from inside any call on the host:
    // a released engine is never called again.
    result = engine_ != nullptr && engine()->SetUpdateParams(&params) != 0 && engine_ != nullptr &&
                     engine()->RunUpdate("", 1, 0) != 0
                 ? 1
                 : 0;
    download_start_tick_ = platform::TickCount();
    start_tick_ = platform::TickCount();
  }

  if (result != 0) {
    start_argument_ = argument;
    ShowConnectingDialog(true);
  } else {
    ShowConnectingDialog(false);
  }
  return result;
}

// Applied at once: a launcher that changes its mind while the window is shown sees it.
int CUpdateLogic::SetShowProxyButton(int show) {
  show_proxy_button_ = show;
  if (container_ != nullptr) ShowControl(update_texts::kProxyButton, show);
  return 1;
}

void CUpdateLogic::Close() {
  // Close calls the host and the engine, and the launcher may release the window from inside
  // one of those calls: that release finds this Close running and leaves the work to it, and
  // the window stays in memory until this Close is done.
  if (close_running_) return;
  close_running_ = true;
  BeginHeldCall();
  ShowConnectingDialog(false);
  ShowInUpdate(container_, false);
  if (host_ != nullptr) {
    if (IUILayoutEngine* ui = host_->GetUIEngine()) UnbindButtons(ui);
  }
  ReleaseEngine();
  close_running_ = false;
  EndHeldCall();  // may complete a release made meanwhile: nothing may follow
}

void CUpdateLogic::ReleaseEngine() {
  if (engine_ == nullptr) return;
  EventSourceOf(engine_)->Unadvise(AsEngineEvent());
  ReleaseChild(&engine_);
}

}  // namespace orv
