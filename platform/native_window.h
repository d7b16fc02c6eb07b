// Real windows of the system, for the testbed's window view: top-level windows and dialogs
// with child controls, their texts and states, the input a person gives them, and a picture
// of what they show. Texts are UTF-8. Only Windows has them: elsewhere
// NativeWindowsAvailable() answers false and the other calls do nothing. Never linked into a
// module.
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

// What a person did: clicked a button, changed an edit box's text, chose in a combo box, or
// asked to close a top-level window.
enum class NativeInput { kClick, kEditChanged, kComboChanged, kClose };

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

// Handles the messages waiting, after waiting up to `wait_ms` for the first.
void PumpNativeMessages(int wait_ms);
// A person's input as the system delivers it, so that the window hears of it at once: a
// click (BM_CLICK), a choice in a combo box (its selection and CBN_SELCHANGE), a text typed
// into an edit box (its text, which raises EN_CHANGE).
void ClickNative(NativeHandle button);
void ChooseNative(NativeHandle combo, int entry);
void TypeNative(NativeHandle edit, const std::string& text);
// Calls `tick` every `interval_ms` while the thread pumps messages, in the system's own modal
// loops (a message box) too; an interval of 0 stops it.
void SetNativeTicker(int interval_ms, std::function<void()> tick);

// The client areas of `windows`, drawn now and placed as they are on screen (later ones over
// earlier ones), written as a 24-bit BMP file.
bool SaveNativePicture(const std::vector<NativeHandle>& windows, const std::string& path);

// The system's message box (MessageBoxW): the id of the button that closed it.
int ShowNativeMessageBox(NativeHandle owner, const std::string& text, const std::string& caption,
                         std::uint32_t style);

}  // namespace orv::platform
