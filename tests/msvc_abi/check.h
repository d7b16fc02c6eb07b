// The host's checks: each failed one prints what broke and counts; the host's exit status is
// the number of failures (0: everything held).
#pragma once

#include <cstdint>

#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {

extern int g_failures;

// Prints "FAILED <what>: expected <expected>, got <actual>" when they differ.
bool CheckEqual(const char* what, std::int64_t expected, std::int64_t actual);
bool CheckText(const char* what, const char* expected, const char* actual);

}  // namespace orv::msvc_abi
