// An engine's window on screen, beside the text view: each object of its tree that has a
// place ("rect") backed by a real control of the system — the window as a top-level window
// (a dialog, owned by the launcher's window, when the engine is not the launcher's), a
// container as a child window, statics, buttons, the progress bar, edit and password boxes
// and the combo box as the system's own — kept in step as the module changes the objects.
// What a person does there reaches the engine as its scripted input does: a click is Click,
// a choice SelectComboItem (its change event included), typing the box's text. The keyboard
// moves about the window as about a system dialog: Tab and Shift+Tab between the controls,
// Enter presses the default button (a dialog's OK, the launcher's Start game) or the focused
// one, Esc presses a dialog's Cancel (or else its Close).
#pragma once

#include <map>
#include <vector>

#include "platform/native_window.h"
#include "testbed/ui_engine/element.h"

namespace orv::testbed {

class WindowView final : public platform::NativeInputSink {
 public:
  explicit WindowView(UILayoutEngine* engine);
  ~WindowView();
  WindowView(const WindowView&) = delete;
  WindowView& operator=(const WindowView&) = delete;

  // The tree changed (a layout was loaded): every control made anew, the window kept.
  void Rebuild();
  // An object's state changed.
  void Update(const Element& element);
  // A modal run of the window starts or ends: the window it belongs to takes no input
  // meanwhile, as with a system dialog.
  void SetModal(bool modal, platform::NativeHandle owner);

  platform::NativeHandle window() const { return window_; }
  bool is_dialog() const { return is_dialog_; }
  platform::NativeHandle ControlOf(const Element& element) const;
  // The object a control of this window shows, or null.
  const Element* ElementOf(platform::NativeHandle control) const;
  bool OnScreen() const;
  // A person closed the window, and it has no Close button to take that.
  bool close_requested() const { return close_requested_; }

  void OnNativeInput(platform::NativeHandle control, platform::NativeInput input) override;

 private:
  void Build(const Element& element, platform::NativeHandle parent);
  void Apply(const Element& element, platform::NativeHandle control);
  void Place();
  // Clicks the first usable button that the key presses; false when there is none.
  bool ClickButtonFor(ButtonKey key);

  UILayoutEngine* engine_;
  bool is_dialog_;
  platform::NativeHandle window_ = nullptr;
  std::vector<platform::NativeHandle> top_controls_;
  std::map<const Element*, platform::NativeHandle> controls_;
  std::map<platform::NativeHandle, const Element*> elements_;
  std::map<const Element*, platform::NativeHandle> labels_;
  bool applying_ = false;  // our own changes raise the system's notifications too
  // The window a modal run disabled, enabled again when the run ends or, should this view go
  // during the run (its engine released from inside the dialog), when the view goes.
  platform::NativeHandle disabled_owner_ = nullptr;
  bool close_requested_ = false;
  bool activated_ = false;
};

}  // namespace orv::testbed
