// Reading INI files ("profiles") with the semantics of GetPrivateProfileStringA and
// GetPrivateProfileIntA: section and key names compare without regard to case, blanks around
// names and values are trimmed, one pair of matching quotes around a value is removed, the
// first matching section and key win, and a missing file, section or key gives the default.
// On Windows these are the real functions; the POSIX implementation reproduces them.
#pragma once

namespace orv::platform {

// Copies the value (or the default, null meaning "", with trailing blanks dropped) into
// `out`, cut to size - 1 characters. Returns the number of characters copied. `file` is a
// Windows-form path. Both `section` and `key` must be given.
int ReadProfileString(const char* section, const char* key, const char* default_value, char* out,
                      int size, const char* file);

// The value as an integer: optional sign, then decimal, or 0x / 0o / 0b followed by digits of
// that base, up to the first character that is not a digit; 0 when there is none. A missing
// or empty value gives the default.
int ReadProfileInt(const char* section, const char* key, int default_value, const char* file);

}  // namespace orv::platform
