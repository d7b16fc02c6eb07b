// Pictures of the system's windows (platform/native_window.h), for the launcher's screenshots
// and the tests that judge the real window from its pixels. Only Windows has them: elsewhere
// nothing is saved. Never linked into a module.
#pragma once

#include <string>
#include <vector>

#include "platform/native_window.h"

namespace orv::platform {

// `windows` whole, frame and title bar included, and the system's message box open over
// them, drawn now and placed as they are on screen (later ones over earlier ones), written as
// a 24-bit BMP file. False when nothing is shown or the file could not be written.
bool SaveNativePicture(const std::vector<NativeHandle>& windows, const std::string& path);

}  // namespace orv::platform
