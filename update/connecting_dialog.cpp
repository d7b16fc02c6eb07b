// The connecting dialog: a modeless window of its own, shown while the update engine
// connects. It is a UI layout engine component of its own (186), created for the dialog and
// released, never merely hidden, when the dialog goes.
#include "framework/runtime/root_path.h"
#include "update/update_logic.h"
#include "update/update_texts.h"

namespace orv {
namespace {

std::uint32_t LoadDialogLayout(IComponent* dialog) {
  char path[kPathSize] = {};
  MakeRootPath(update_texts::kConnectingLayoutFile, path, sizeof path);
  return static_cast<IUILayoutEngine*>(dialog)->LoadLayout(path, 0);
}

}  // namespace

int CUpdateLogic::LoadConnectingDialog() {
  if (connecting_dialog_ != nullptr) ReleaseChild(&connecting_dialog_);
  // Close has released the dialog for good: one made after it would stay on screen.
  if (Closed()) return 0;
  if (!CreateChild<kUILayoutEngineId>(&connecting_dialog_, nullptr)) return 0;
  return static_cast<int>(LoadDialogLayout(connecting_dialog_));
}

void CUpdateLogic::ShowConnectingDialog(bool show) {
  if (!show) {
    if (connecting_dialog_ != nullptr) ReleaseChild(&connecting_dialog_);
    return;
  }
  int loaded = 1;  // a dialog already held was loaded before
  if (connecting_dialog_ == nullptr) {
    if (Closed()) return;  // as in LoadConnectingDialog
    loaded = CreateChild<kUILayoutEngineId>(&connecting_dialog_, nullptr) &&
                     LoadDialogLayout(connecting_dialog_) != 0
                 ? 1
                 : 0;
  }
  if (loaded == 0) return;
  if (IUIWindowRoot* root = static_cast<IUILayoutEngine*>(connecting_dialog_)->GetRootObject()) {
    root->PrepareWindow();
    root->Show(1);
  }
}

}  // namespace orv
