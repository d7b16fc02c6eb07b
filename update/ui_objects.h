// Small operations on the UI engine's objects that the window's parts share.
#pragma once

#include "framework/interfaces/ui_layout_engine.h"

namespace orv {

// The object of a control, found by name at every use; null when the layout has none.
inline IUIObject* Lookup(IUILayoutEngine* ui, const char* name) {
  return ui->GetControl(ui->FindControl(name));
}

// Shown or hidden inside an update bracket, so the engine redraws once. Window roots and
// other objects share the slots but not a base, hence the template.
template <class Object>
void ShowInUpdate(Object* object, int show) {
  if (object == nullptr) return;
  object->BeginUpdate();
  object->Show(show);
  object->EndUpdate();
}

}  // namespace orv
