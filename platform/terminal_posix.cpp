#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "platform/terminal.h"

namespace orv::platform {

bool IsInteractiveTerminal() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

RawKeys::RawKeys() : saved_(new termios{}) {
  auto* saved = static_cast<termios*>(saved_);
  if (tcgetattr(STDIN_FILENO, saved) != 0) return;
  termios raw = *saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

RawKeys::~RawKeys() {
  auto* saved = static_cast<termios*>(saved_);
  tcsetattr(STDIN_FILENO, TCSANOW, saved);
  delete saved;
}

int RawKeys::Read(int timeout_ms) {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (poll(&input, 1, timeout_ms) <= 0) return -1;
  unsigned char key = 0;
  return read(STDIN_FILENO, &key, 1) == 1 ? key : -1;
}

}  // namespace orv::platform
