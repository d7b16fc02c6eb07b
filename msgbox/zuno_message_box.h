// The module's one way to ask the user a question: through the framework's message box
// component, with plain line breaks turned into "<br>" and plain text wrapped in a font
// element. The arguments are those of the Windows message box call.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace orv {

// The caption of every box the module shows.
constexpr char kMessageBoxCaption[] = "\xb5\xc7\xc2\xbc\xcc\xe1\xca\xbe";  // "登录提示"

// The id of the button the user pressed, or 0 when nothing was shown (no message box
// component, or no text).
int ZunoMessageBoxImpl(platform::WindowHandle owner, const char* text, const char* caption,
                       std::uint32_t style);

}  // namespace orv
