// Windows of the system, as far as the module touches them.
#pragma once

namespace orv::platform {

using WindowHandle = void*;  // HWND

}  // namespace orv::platform
