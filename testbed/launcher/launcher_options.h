// The launcher's command line.
#pragma once

#include <string>

namespace orv::launcher {

// The range --speed takes: slower than a twentieth makes nothing move, faster than a hundred
// times leaves nothing to see.
constexpr double kSlowestSpeed = 0.05;
constexpr double kFastestSpeed = 100;

struct Options {
  std::string scenario = "full_update";
  double speed = 1.0;
  bool batch = false;
  bool list = false;
  bool help = false;
};

extern const char kUsage[];

// False, with a one-line reason in `error`, when the command line is not one the launcher takes.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

}  // namespace orv::launcher
