// No windows here, so no pictures of them.
#include "platform/native_picture.h"

namespace orv::platform {

bool SaveNativePicture(const std::vector<NativeHandle>&, const std::string&) { return false; }

}  // namespace orv::platform
