// The window's view helpers. Each asks the host for its UI engine anew and does nothing
// without one; controls are found by name at every use and skipped when missing.
#include <cstring>

#include "update/ui_objects.h"
#include "update/update_logic.h"
#include "update/update_texts.h"

namespace orv {
namespace {

using namespace update_texts;

// Shown or hidden inside an update bracket, then enabled to match.
void ShowAndEnable(IUIObject* object, int show) {
  if (object == nullptr) return;
  ShowInUpdate(object, show);
  object->Enable(show);
}

}  // namespace

IUILayoutEngine* CUpdateLogic::UIEngine() { return host_ ? host_->GetUIEngine() : nullptr; }

void CUpdateLogic::ShowControl(const char* name, int show) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr || name == nullptr) return;
  ShowAndEnable(Lookup(ui, name), show);
}

void CUpdateLogic::ShowCancelOrRetry(bool show_cancel) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  ShowAndEnable(Lookup(ui, kCancelButton), show_cancel);
  ShowAndEnable(Lookup(ui, kRetryButton), !show_cancel);
}

void CUpdateLogic::ShowRootView(bool show) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  if (IUIWindowRoot* root = ui->GetRootObject()) {
    ShowInUpdate(root, show);
  }
}

void CUpdateLogic::ShowResultView(bool show_update, std::uint32_t error_code) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  ShowAndEnable(Lookup(ui, kUpdateContainer), show_update);
  ShowAndEnable(Lookup(ui, kStartGameContainer), !show_update);
  IUIObject* fail_text = Lookup(ui, kFailStatic);
  if (show_update) return;

  if (error_code == 0) {  // the start-game view
    ShowControl(kStartGameStatic, true);
    ShowControl(kStartGameButton, true);
    ShowControl(kFailStatic, false);
    ShowControl(kRetryButton, false);
    return;
  }

  // The error view: the tip of the code's own section, else the default tip.
  char code[kPathSize] = {};
  IntToString(static_cast<int>(error_code), code, sizeof code);
  char tip[kPathSize] = {};
  CLiveUpdateConfig::GetLiveUpdateInfo(code, "Static", tip, sizeof tip);
  if (tip[0] == '\0')
    CLiveUpdateConfig::GetLiveUpdateInfo("DefaultErrorCodeTip", "Static", tip, sizeof tip);
  char text[kPathSize];
  std::memset(text, 0, sizeof text);
  ReplaceAll(tip, "${ERRORCODE}", code, text, sizeof text);
  ShowControl(kStartGameStatic, false);
  if (fail_text != nullptr) {
    static_cast<IUIStaticText*>(fail_text)->SetText(text);
    ShowInUpdate(fail_text, true);
  }
  ShowControl(kStartGameButton, false);
  ShowControl(kRetryButton, true);
}

}  // namespace orv
