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

void CUpdateLogic::ShowCancelOrRetry(int show_cancel) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  ShowAndEnable(Lookup(ui, kCancelButton), show_cancel);
  ShowAndEnable(Lookup(ui, kRetryButton), show_cancel ? 0 : 1);
}

void CUpdateLogic::ShowRootView(int show) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  if (IUIWindowRoot* root = ui->GetRootObject()) {
    ShowInUpdate(root, show);
  }
}

void CUpdateLogic::ShowResultView(int show_update, std::uint32_t error_code) {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  ShowAndEnable(Lookup(ui, kUpdateContainer), show_update);
  ShowAndEnable(Lookup(ui, kStartGameContainer), show_update ? 0 : 1);
  IUIObject* fail_text = Lookup(ui, kFailStatic);
  if (show_update != 0) return;

  if (error_code == 0) {  // the start-game view
    ShowControl(kStartGameStatic, 1);
    ShowControl(kStartGameButton, 1);
    ShowControl(kFailStatic, 0);
    ShowControl(kRetryButton, 0);
    return;
  }

  // The error view: the tip of the code's own section, else the default tip.
  char code[kPathSize] = {};
  IntToString(static_cast<int>(error_code), code, sizeof code);
  char tip[kPathSize] = {};
  CLiveUpdateConfig::GetLiveUpdateInfo(code, "Static", tip, sizeof tip);
  if (tip[0] == '\0') CLiveUpdateConfig::GetLiveUpdateInfo("DefaultErrorCodeTip", "Static", tip, sizeof tip);
  char text[kPathSize];
  std::memset(text, 0, sizeof text);
  ReplaceAll(tip, "${ERRORCODE}", code, text, sizeof text);
  ShowControl(kStartGameStatic, 0);
  if (fail_text != nullptr) {
    static_cast<IUIStaticText*>(fail_text)->SetText(text);
    ShowInUpdate(fail_text, 1);
  }
  ShowControl(kStartGameButton, 0);
  ShowControl(kRetryButton, 1);
}

}  // namespace orv
