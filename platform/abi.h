// Calling-convention and visibility markers for the functions a host resolves by name.
//
// The exported names are exactly the C names: on Windows a .def file lists them (no
// decoration, no automatic export of everything else); on POSIX the shared objects are
// built with hidden visibility and only these functions are made visible.
#pragma once

#if defined(_WIN32)
#define ORV_CDECL __cdecl
#define ORV_EXPORT
#else
#define ORV_CDECL
#define ORV_EXPORT __attribute__((visibility("default")))
#endif
