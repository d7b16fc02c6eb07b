#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/debug_capture.h"

namespace orv::platform {
namespace {

struct CaptureState {
  std::string file;
  bool had_previous = false;
  std::string previous;
};

}  // namespace

DebugCapture::DebugCapture() : state_(nullptr) {
  auto* state = new CaptureState;
  const char* dir = std::getenv("TMPDIR");
  std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/orv-debug-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd >= 0) close(fd);
  state->file = pattern;
  if (const char* previous = std::getenv("ORVEX_DEBUG_OUTPUT")) {
    state->had_previous = true;
    state->previous = previous;
  }
  setenv("ORVEX_DEBUG_OUTPUT", state->file.c_str(), 1);
  state_ = state;
}

DebugCapture::~DebugCapture() {
  auto* state = static_cast<CaptureState*>(state_);
  if (state->had_previous) {
    setenv("ORVEX_DEBUG_OUTPUT", state->previous.c_str(), 1);
  } else {
    unsetenv("ORVEX_DEBUG_OUTPUT");
  }
  std::remove(state->file.c_str());
  delete state;
}

std::string DebugCapture::Take() {
  auto* state = static_cast<CaptureState*>(state_);
  std::ifstream in(state->file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  in.close();
  std::ofstream(state->file, std::ios::binary | std::ios::trunc).close();
  return text.str();
}

}  // namespace orv::platform
