// Time as the module reads it.
#pragma once

#include <cstdint>

namespace orv::platform {

// GetTickCount: milliseconds since an arbitrary start, wrapping at 2^32.
std::uint32_t TickCount();

struct TimeOfDay {
  int hour;
  int minute;
  int second;
};

// The local time of day.
TimeOfDay LocalTimeOfDay();

}  // namespace orv::platform
