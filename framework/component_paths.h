// Where the framework's configuration file and factory DLL are, and the framework root that
// layout paths are resolved against.
//
// All paths are 8-bit Windows-form strings in fixed buffers. Copies and appends are bounded:
// a piece that does not fit is dropped, never cut; a path built by formatting is cut at the
// end of its buffer.
#pragma once

namespace orv {

// How many "Redirect" steps are followed before the last file reached is used as it is: a
// chain that returns to a file it already visited must end somewhere.
constexpr int kMaxRedirects = 16;

// No ':' and no leading '\'; null and empty count as relative, so does a leading '/'.
bool IsRelativePath(const char* path);
// Null, empty, or only spaces and tabs.
bool IsBlank(const char* text);

// `value` without leading and trailing spaces and tabs; empty when that does not fit.
void Trim(const char* value, char* out, int out_size);
// A profile string (default when the key is absent), trimmed.
void ReadTrimmed(const char* ini, const char* section, const char* key, const char* default_value,
                 char* out, int out_size);

// The executable's folder, without a trailing separator, into `out` (260 bytes, zero-filled
// first).
void FindExecutableDirectory(char* out);
// The same, computed once per process.
const char* ExecutableDirectory();
// The executable's folder + "\" + name, cut to out_size - 2 characters.
void ExecutablePath(const char* name, char* out, int out_size);
// `rel` resolved against the folder of `base` (a file path). 0 with `out` untouched when an
// argument is missing.
int JoinToDir(const char* base, const char* rel, char* out, int out_size);

// The configuration file to read for a registry string (null or empty: the default
// Orvex.ini beside the executable), after its redirects.
void LocateIni(const char* registry, char* out, int out_size);
void FollowRedirect(const char* ini_path, char* out, int out_size);

// The factory DLL's path as that configuration file gives it.
void FactoryDllPath(const char* ini_path, char* out, int out_size);

}  // namespace orv
