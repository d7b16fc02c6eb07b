// One frame of the launcher at a terminal: first everything it shows is taken from the run
// and the testbed at once (TakeFrame), then it is drawn from that alone (DrawFrame), so that
// a frame never mixes two moments and its layout can be read in one place.
#pragma once

#include <string>
#include <vector>

#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

struct TerminalFrame {
  std::string heading;  // the scenario's name and title
  std::string area;     // the window, the proxy dialog over it, or the module's lines and log
  OpenMessageBox box;
  OpenField field;
  std::vector<std::string> keys;               // "[c] Cancel": the keys that work now
  std::vector<std::string> status;             // "t=1200 ms", "speed x1", "step 3/12"...
  std::vector<std::string> recent_statistics;  // newest last, each name once
  std::string proxy_note;
  std::string notice;
};

// The proxy dialog when it is open (in its modal run), else null.
IUILayoutEngine* OpenProxyDialog(const Run& run);

TerminalFrame TakeFrame(const Run& run);

// The frame as text: every line at most kScreenWidth columns, nothing cut off.
std::string DrawFrame(const TerminalFrame& frame);

}  // namespace orv::launcher
