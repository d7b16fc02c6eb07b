// Real windows of the system, for the testbed's window view: top-level windows and dialogs
// with child controls, their texts and states, the input a person gives them, and the
// system's message box (pictures of them: native_picture.h). Texts are UTF-8. Only Windows
// has them: elsewhere NativeWindowsAvailable() answers false and the other calls do nothing.
// Never linked into a module.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv::platform {

using NativeHandle = void*;  // HWND

enum class NativeKind { kPanel, kStatic, kButton, kProgressBar, kEdit, kPassword, kCombo };

struct NativeRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// What a person did: clicked a button, changed an edit box's text, chose in a combo box,
// asked to close a top-level window, or pressed Esc in one.
enum class NativeInput { kClick, kEditChanged, kComboChanged, kClose, kCancel };

// Keys that move about a window: to the next or previous control, the default button, cancel.
enum class NativeKey { kTab, kShiftTab, kEnter, kEscape };

// Receives the input of every control below one top-level window, on the thread that pumps
// the messages.
class NativeInputSink {
 public:
  virtual void OnNativeInput(NativeHandle control, NativeInput input) = 0;

 protected:
  ~NativeInputSink() = default;
};

// The progress bar's colours, so that a picture can be measured.
constexpr std::uint32_t kProgressBarRgb = 0x2EA043;
constexpr std::uint32_t kProgressTroughRgb = 0xFFFFFF;

bool NativeWindowsAvailable();

// A top-level window whose client area is `rect` (screen coordinates), hidden until shown.
// With an owner it is a dialog of that window.
NativeHandle CreateNativeWindow(const std::string& title, const NativeRect& rect,
                                NativeHandle owner, NativeInputSink* sink);
// A child control at `rect` of its parent's client area, hidden until shown.
NativeHandle CreateNativeControl(NativeHandle parent, NativeKind kind, const NativeRect& rect);
// Moves a top-level window so that its client area is `rect`.
void PlaceNativeWindow(NativeHandle window, const NativeRect& rect);
// A window or control and everything in it; its input goes nowhere from now on.
void DestroyNative(NativeHandle window);

void SetNativeText(NativeHandle control, const std::string& text);
std::string NativeText(NativeHandle control);
void ShowNative(NativeHandle control, bool show);
void EnableNative(NativeHandle control, bool enable);
void SetNativeProgress(NativeHandle bar, int minimum, int maximum, int position);
void SetNativeItems(NativeHandle combo, const std::vector<std::string>& items);
void SetNativeSelection(NativeHandle combo, int selection);
int NativeSelection(NativeHandle combo);
NativeRect NativeWindowRect(NativeHandle window);  // its client area, on screen
NativeRect NativeScreenArea();                     // the screen's, less the task bar

// Makes `button` its window's default button (the one Enter presses when the focus is on no
// other button), or an ordinary one again.
void SetNativeDefault(NativeHandle button, bool is_default);
// Gives the keyboard focus to a control, or to a top-level window's first control that takes
// it (activating the window).
void FocusNative(NativeHandle control);
// The control (or window) of this thread that has the keyboard focus, or null.
NativeHandle FocusedNative();
// FocusNative on a top-level window, once the messages waiting now are handled: a window
// just shown comes to the front once it is up on the display.
void BringNativeToFront(NativeHandle window);

// Handles the messages waiting, after waiting up to `wait_ms` for the first. Keys that move
// about a window (Tab, Shift+Tab, Enter, Esc) do so, as in a dialog of the system.
void PumpNativeMessages(int wait_ms);
// A person's input as the system delivers it, so that the window hears of it at once: a
// click (BM_CLICK), a choice in a combo box (its selection and CBN_SELCHANGE), a text typed
// into an edit box (its text, which raises EN_CHANGE).
void ClickNative(NativeHandle button);
void ChooseNative(NativeHandle combo, int entry);
void TypeNative(NativeHandle edit, const std::string& text);
// A key pressed with the focus on `control`: focused, the key's messages queued as the
// keyboard queues them, then handled.
void PressNativeKey(NativeHandle control, NativeKey key);
// Calls `tick` every `interval_ms` while the thread pumps messages, in the system's own modal
// loops (a message box) too; an interval of 0 stops it.
void SetNativeTicker(int interval_ms, std::function<void()> tick);

// The system's message box (MessageBoxW): the id of the button that closed it.
int ShowNativeMessageBox(NativeHandle owner, const std::string& text, const std::string& caption,
                         std::uint32_t style);
// The message box this thread shows now (from inside its loop, a timer's), or null.
NativeHandle OpenNativeMessageBox();
// Clicks the box's button of that id (IDYES, IDNO, ...), or its default button for 0.
void AnswerNativeMessageBox(NativeHandle box, int answer);

}  // namespace orv::platform
