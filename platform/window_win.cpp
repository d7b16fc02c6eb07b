#include <windows.h>

#include "platform/window.h"

namespace orv::platform {

bool IsWindow(WindowHandle window) { return ::IsWindow(static_cast<HWND>(window)) != FALSE; }

int ShowSystemMessageBox(WindowHandle owner, const char* text, const char* caption,
                         std::uint32_t style) {
  return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

}  // namespace orv::platform
