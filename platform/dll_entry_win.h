// The entry point Windows' loader calls in a DLL, declared in the platform's own types so that
// the module defines it without the system's headers: BOOL WINAPI DllMain(HINSTANCE, DWORD,
// LPVOID) is, in the loader's binary terms, an int-returning stdcall function of a module
// handle, a 32-bit reason and a pointer. module_handle_win.cpp holds these against <windows.h>.
// Windows builds only: on POSIX a static object of the module stands in for the entry point.
#pragma once

#include "platform/module_handle.h"

namespace orv::platform {

using DllEntryReason = unsigned long;  // DWORD
constexpr DllEntryReason kDllProcessDetach = 0;
constexpr DllEntryReason kDllProcessAttach = 1;

}  // namespace orv::platform

// Records the handle and prepares the module lock (attach) or reports leaks and deletes it
// (detach); returns nonzero (TRUE).
extern "C" int __stdcall DllMain(orv::platform::ModuleHandle instance,
                                 orv::platform::DllEntryReason reason, void* reserved);
