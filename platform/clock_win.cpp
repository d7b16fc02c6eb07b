#include <windows.h>

#include "platform/clock.h"

namespace orv::platform {

std::uint32_t TickCount() { return GetTickCount(); }

TimeOfDay LocalTimeOfDay() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

}  // namespace orv::platform
