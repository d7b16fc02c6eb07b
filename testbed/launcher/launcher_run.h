// What one run of the launcher holds and has seen, in the parts that each way of running it
// uses: what was set up before the update started (every mode), what a batch run printed and
// waited for, what the terminal shows and the person has open, and the pictures saved.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/interfaces/component_factory.h"
#include "platform/debug_capture.h"
#include "platform/terminal.h"
#include "testbed/factory/testbed_control.h"
#include "testbed/launcher/launcher_host.h"
#include "testbed/launcher/launcher_script.h"

namespace orv::launcher {

// Fixed once the update has started.
struct RunSetup {
  testbed::ITestbedControl* testbed = nullptr;
  IComponentFactory* factory = nullptr;
  IUILayoutEngine* window = nullptr;
  LauncherHost* host = nullptr;
  platform::DebugCapture* capture = nullptr;
  Script script;
  std::string scenario_name;
  std::string scenario_title;  // the scenario's first comment line
  std::string log_file;        // Windows form; empty when the configuration names none
  bool advised = false;        // the scenario's update may be skipped
  bool interactive = false;
  bool windows = false;           // the update window is on screen as a real window
  std::string screenshot_folder;  // where each new frame's picture goes, or empty
};

// A batch run: the frames and message boxes printed, and the proxy tests waited for.
struct BatchState {
  std::string last_frame;
  size_t journal_seen = 0;
  int proxy_tests_awaited = 0;
  size_t proxy_lines_seen = 0;  // of the module's lines, up to the last test waited for
  std::vector<std::string> proxy_test_outcomes;
  size_t answers_given = 0;  // the script's answers given on the system's box (pictures on)
};

// A message box the module asked a person at the terminal to answer.
struct OpenMessageBox {
  bool open = false;
  std::string caption;
  std::string text;             // plain text, markup removed
  unsigned buttons = 0;         // MB_OK, MB_OKCANCEL, MB_YESNO...
  bool second_default = false;  // MB_DEFBUTTON2: Enter means the second button
  int answer = -1;              // IDOK, IDCANCEL, IDYES, IDNO once answered
};

// A message box's button set, the low four bits of its style (MB_OK, MB_OKCANCEL...).
enum : unsigned { kBoxOk = 0, kBoxOkCancel = 1, kBoxYesNoCancel = 3, kBoxYesNo = 4 };
inline bool HasYesNo(unsigned buttons) {
  return buttons == kBoxYesNo || buttons == kBoxYesNoCancel;
}
inline bool HasCancel(unsigned buttons) {
  return buttons == kBoxOkCancel || buttons == kBoxYesNoCancel;
}

// A text being typed into one of the proxy dialog's fields.
struct OpenField {
  bool open = false;
  const char* control = nullptr;
  std::string label;
  bool masked = false;
  size_t limit = 0;  // the most bytes (GBK) the setting keeps
  std::string text;  // UTF-8
};

// A person at the terminal: the keys, the clock's speed, what is open and the last screen.
struct TerminalState {
  platform::RawKeys* keys = nullptr;
  double speed = 1;
  bool paused = false;
  bool show_log = false;
  OpenMessageBox box;
  OpenField field;
  std::string notice;      // the launcher's own word on the last key (a refused text, say)
  std::string proxy_note;  // the proxy test's state or result
  int proxy_tests_seen = 0;
  bool proxy_dialog_open = false;
  std::string last_screen;
};

// The windows' pictures saved so far (real windows with a screenshot folder).
struct PictureState {
  int saved = 0;
  std::string last_frame;  // the frame (as text) of the newest picture
};

struct Run {
  RunSetup setup;
  BatchState batch;
  TerminalState terminal;
  PictureState pictures;

  // How the run goes, whatever the mode.
  bool quit = false;
  bool ended = false;           // the run is over: queued actions do nothing
  bool played_current = false;  // the person went on with the current version
  std::string module_lines;     // the module's debugger lines (GBK)
  std::string final_view;       // the window as it was when the run ended

  // The module's debugger lines that came since the last call, added to `module_lines`.
  std::string TakeModuleLines();
};

// The update window's Start game button is on screen.
bool StartGameOffered(const Run& run);
// An advised update was given up and the window offers no way on: the launcher offers to
// play the current version.
bool CanPlayCurrent(const Run& run);

}  // namespace orv::launcher
