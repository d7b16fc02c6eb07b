// <windows.h> first: the other Windows headers need its types.
#include <windows.h>

#include <conio.h>
#include <io.h>

#include <cstdio>

#include "platform/terminal.h"

namespace orv::platform {

bool IsInteractiveTerminal() { return _isatty(_fileno(stdin)) && _isatty(_fileno(stdout)); }

RawKeys::RawKeys() : saved_(nullptr) {}
RawKeys::~RawKeys() = default;

int RawKeys::Read(int timeout_ms) {
  for (int waited = 0; waited <= timeout_ms; waited += 10) {
    if (_kbhit()) return _getch();
    Sleep(10);
  }
  return -1;
}

}  // namespace orv::platform
