// What the launcher and the tests do to the testbed beyond the framework's interfaces: pump
// the message loop, act as the person in front of the screen, look at the screen, and set
// what the update engine and the message box will do. OrvFact.dll exports one instance
// ("OrvFactTestbed"); it is a C++ interface shared only by programs built with the testbed.
#pragma once

#include <cstdint>

#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "platform/abi.h"

namespace orv::testbed {

// What a control shows at the moment, as a person would see it.
struct ControlState {
  int visible;    // its own flag (an ancestor may still hide it)
  int on_screen;  // visible, and every ancestor too
  int enabled;
  int position;     // progress bars
  int range_max;    // progress bars
  int selection;    // combo boxes
  char text[1024];  // the current text in GBK: a static's (or else its layout text), an edit box's
};

class ITestbedControl {
 public:
  // The message loop (see testbed/runtime/message_loop.h).
  virtual void RunUntilIdle() = 0;
  virtual bool RunUntil(bool (*done)(void* context), void* context) = 0;
  virtual void SetRealTime(double speed) = 0;
  virtual void SetIdleHandler(bool (*idle)(void* context), void* context) = 0;
  virtual std::uint64_t Now() = 0;
  // Runs `task(context)` on the loop `delay_ms` from now.
  virtual void PostAction(void (*task)(void* context), void* context, std::uint32_t delay_ms) = 0;

  // A UI engine for a window of the launcher's own (component 186, released by the caller).
  virtual IUILayoutEngine* CreateWindowEngine(const char* window_name) = 0;
  // What the title bar of the engine's window says (UTF-8); by default the window's name.
  virtual bool SetWindowTitle(IUILayoutEngine* engine, const char* utf8_title) = 0;
  // Every testbed UI engine alive, oldest first (the launcher's window, dialogs, ...).
  virtual int UIEngineCount() = 0;
  virtual IUILayoutEngine* UIEngineAt(int index) = 0;
  // The newest engine whose window has that name (a dialog's, once its layout is loaded).
  virtual IUILayoutEngine* FindEngineByWindow(const char* window_name) = 0;

  // The person: false when the control is not there to be used.
  virtual bool Click(IUILayoutEngine* engine, const char* control) = 0;
  virtual bool SelectComboItem(IUILayoutEngine* engine, const char* control, int position) = 0;
  virtual bool TypeText(IUILayoutEngine* engine, const char* control, const char* utf8_text) = 0;
  virtual bool InModalRun(IUILayoutEngine* engine) = 0;
  // An event with any code, as an engine might send it (clicks and choices above are the
  // person's; this is for the unusual ones).
  virtual bool SendEvent(IUILayoutEngine* engine, const char* control, std::int32_t code) = 0;

  // False when the engine has no control of that name.
  virtual bool GetControlState(IUILayoutEngine* engine, const char* control,
                               ControlState* state) = 0;

  // The screen and the record of calls: valid until the next call of the same operation.
  virtual const char* Render(IUILayoutEngine* engine) = 0;
  virtual const char* UICalls(IUILayoutEngine* engine) = 0;
  virtual void ClearUICalls(IUILayoutEngine* engine) = 0;

  // The window advised on the newest update engine (what its scenario steps are delivered
  // to), or null.
  virtual IUpdateEngineEvent* NewestEngineListener() = 0;

  // The scenario of the next update engines (null: back to the configured file), and the
  // next message box's answer.
  virtual bool SetScenario(const char* text) = 0;
  virtual void PushMessageBoxAnswer(int answer) = 0;
  // Who answers a box when no answer is queued (caption and text in UTF-8); null: the
  // default button.
  virtual void SetMessageBoxResponder(int (*responder)(void* context, const char* caption,
                                                       const char* text, std::uint32_t style),
                                      void* context) = 0;
  // Where proxy tests go from now on (null: as the configuration says).
  virtual void SetProxyTestTarget(const char* host, std::uint16_t port) = 0;
  // How far the newest update engine is in its scenario; false when there is none.
  virtual bool ScenarioProgress(int* played, int* total) = 0;
  // The factory's record of calls (as OrvFactJournal), and the module's debugger lines are
  // the caller's own to capture.
  virtual const char* Journal() = 0;

  // In real time: hold the loop's clock, or let it run again.
  virtual void SetPaused(bool paused) = 0;
  // The newest proxy test: how many were started, whether it still runs, its outcome (0: the
  // proxy opened the tunnel; else the reason it failed, as the connection's sink heard it).
  virtual void NewestProxyTest(int* started, bool* running, int* outcome) = 0;
  // The entry the update engine was last handed by UseProxy; false before the first.
  virtual bool LastUsedProxy(ProxyEntry* entry) = 0;
  // Loads a layout file as the UI engine would, and forgets it: false, with the reason in
  // `error` (UTF-8), when the engine could not load it.
  virtual bool CheckLayout(const char* file, char* error, std::uint32_t error_size) = 0;

  // Real windows (Windows builds): from now on every UI engine's window is on screen too,
  // kept in step with its objects (testbed/ui_engine/window_view.h); false where the system
  // has none.
  virtual bool ShowWindows() = 0;
  // Handles the windows' waiting messages, after waiting up to `wait_ms` for the first.
  virtual void PumpWindows(int wait_ms) = 0;
  // Runs the loop's tasks that are due now, and returns: what a timer does while one of the
  // system's modal loops (a message box) holds the thread.
  virtual void RunDueTasks() = 0;
  // A picture of every window on screen, placed as they are (dialogs over the launcher's
  // window), as a BMP file; false when none is shown or the file could not be written.
  virtual bool SaveWindowsPicture(const char* path) = 0;
  // A person's input as the system delivers it to the real control: "click" (BM_CLICK),
  // "choose" entry `argument`, "type" `argument` (UTF-8), "key" `argument` pressed with the
  // keyboard focus on the control ("tab", "shift-tab", "enter", "esc"). False when the
  // control has no window or is not there to be used.
  virtual bool ActOnScreen(IUILayoutEngine* engine, const char* verb, const char* control,
                           const char* argument) = 0;
  // The engine's window on screen, or null.
  virtual platform::WindowHandle ScreenWindow(IUILayoutEngine* engine) = 0;
  // The name of the control that has the keyboard focus, in whichever window; "" when none
  // of the engines' controls has it.
  virtual const char* FocusedControl() = 0;
  // A person closed the engine's window (one without a Close button to take that).
  virtual bool CloseRequested(IUILayoutEngine* engine) = 0;

 protected:
  ~ITestbedControl() = default;
};

using OrvFactTestbedFn = ITestbedControl*(ORV_CDECL*)();

}  // namespace orv::testbed
