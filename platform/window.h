// Windows of the system, as far as the module touches them: the window test and the system's
// own message box.
#pragma once

#include <cstdint>

namespace orv::platform {

using WindowHandle = void*;  // HWND

// IsWindow. On POSIX every nonzero handle counts as a window.
bool IsWindow(WindowHandle window);

// MessageBoxA: the id of the button that closed the box. On POSIX it writes
// "[MessageBox] <caption> | <text>\n" to the debugger output and answers OK (1).
int ShowSystemMessageBox(WindowHandle owner, const char* text, const char* caption,
                         std::uint32_t style);

}  // namespace orv::platform
