// The launcher's command line.
#pragma once

#include <string>

namespace orv::launcher {

// The range --speed takes: slower than a twentieth makes nothing move, faster than a hundred
// times leaves nothing to see.
constexpr double kSlowestSpeed = 0.05;
constexpr double kFastestSpeed = 100;

// Where the update window is shown: by default the system's own window when a person is
// there and the build has windows (Windows), else text at the terminal.
enum class View { kDefault, kWindow, kConsole };

struct Options {
  std::string scenario = "full_update";
  double speed = 1.0;
  bool batch = false;
  View view = View::kDefault;
  std::string screenshot_folder;  // a picture of each new frame goes there (needs the window)
  bool list = false;
  bool help = false;
};

extern const char kUsage[];

// False, with a one-line reason in `error`, when the command line is not one the launcher takes.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

}  // namespace orv::launcher
