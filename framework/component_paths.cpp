#include "framework/component_paths.h"

#include <cstring>

#include "framework/bounded_string.h"
#include "platform/process_info.h"
#include "platform/profile.h"

namespace orv {
namespace {

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

// Filled on first use, for the life of the process.
char g_executable_directory[kPathSize];

// Cuts a full file path at its last backslash, in place.
void CutAtLastBackslash(char* path) {
  char* last = std::strrchr(path, '\\');
  if (last != nullptr) *last = '\0';
}

}  // namespace

bool IsRelativePath(const char* path) {
  if (path == nullptr || *path == '\0') return true;
  return std::strchr(path, ':') == nullptr && path[0] != '\\';
}

bool IsBlank(const char* text) {
  if (text == nullptr) return true;
  for (; *text != '\0'; ++text) {
    if (!IsSpaceOrTab(*text)) return false;
  }
  return true;
}

void Trim(const char* value, char* out, int out_size) {
  if (out == nullptr || out_size < 1) return;
  out[0] = '\0';
  if (value == nullptr) return;
  const char* begin = value;
  while (IsSpaceOrTab(*begin)) ++begin;
  const char* end = begin + std::strlen(begin);
  while (end > begin && IsSpaceOrTab(end[-1])) --end;
  const int length = static_cast<int>(end - begin);
  if (length > 0) CopyN(out, out_size, begin, length);
}

void ReadTrimmed(const char* ini, const char* section, const char* key, const char* default_value,
                 char* out, int out_size) {
  char raw[kMessageSize] = {};
  platform::ReadProfileString(section, key, default_value, raw, sizeof raw, ini);
  Trim(raw, out, out_size);
}

void FindExecutableDirectory(char* out) {
  std::memset(out, 0, kPathSize);
  platform::GetExecutableFileName(out, kPathSize);
  CutAtLastBackslash(out);
}

const char* ExecutableDirectory() {
  if (g_executable_directory[0] == '\0') FindExecutableDirectory(g_executable_directory);
  return g_executable_directory;
}

void ExecutablePath(const char* name, char* out, int out_size) {
  if (name == nullptr || out == nullptr || out_size < 2) return;
  // Cut to out_size - 2 characters: with two bytes none is left, and the cut is "".
  if (out_size == 2) {
    out[0] = '\0';
    return;
  }
  Format(out, out_size, out_size - 2, "%s\\%s", ExecutableDirectory(), name);
}

int JoinToDir(const char* base, const char* rel, char* out, int out_size) {
  if (base == nullptr || rel == nullptr || out == nullptr || out_size < 1) return 0;
  out[0] = '\0';
  const char* separator = std::strrchr(base, '\\');
  if (separator == nullptr) separator = std::strrchr(base, '/');
  if (separator != nullptr) {
    CopyN(out, out_size, base, static_cast<int>(separator - base) + 1);
  } else {
    Copy(out, out_size, base);
    Append(out, out_size, "\\");
  }
  Append(out, out_size, rel);
  return 1;
}

void LocateIni(const char* registry, char* out, int out_size) {
  char path[kPathSize] = {};
  if (registry == nullptr || *registry == '\0') {
    ExecutablePath("Orvex.ini", path, sizeof path);
  } else if (IsRelativePath(registry)) {
    ExecutablePath(registry, path, sizeof path);
  } else {
    Copy(path, sizeof path, registry);
  }
  FollowRedirect(path, out, out_size);
}

void FollowRedirect(const char* ini_path, char* out, int out_size) {
  char current[kPathSize] = {};
  Copy(current, sizeof current, ini_path);
  for (int step = 0; step < kMaxRedirects; ++step) {
    char target[kPathSize] = {};
    platform::ReadProfileString("Redirect", "Path", "", target, sizeof target, current);
    if (IsBlank(target)) break;
    if (IsRelativePath(target)) {
      // Resolved against the current file's folder; the target's own redirect is not read.
      JoinToDir(current, target, out, out_size);
      return;
    }
    Copy(current, sizeof current, target);
  }
  Copy(out, out_size, current);
}

void FactoryDllPath(const char* ini_path, char* out, int out_size) {
  char value[kPathSize] = {};
  ReadTrimmed(ini_path, "361", "DLL", nullptr, value, sizeof value);
  if (!IsRelativePath(value)) {
    Copy(out, out_size, value);
    return;
  }
  char flag[10] = {};
  ReadTrimmed(ini_path, "361", "NotUseDefaultDllPath", "0", flag, sizeof flag);
  if (flag[0] == '1') {
    JoinToDir(ini_path, value, out, out_size);
    return;
  }
  char directory[kPathSize] = {};
  platform::ReadProfileString("DefaultValue", "DllPath", "", directory, sizeof directory, ini_path);
  char joined[kPathSize] = {};
  if (IsBlank(directory)) {
    Copy(joined, sizeof joined, value);
  } else {
    Append(joined, sizeof joined, directory);
    Append(joined, sizeof joined, "\\");
    Append(joined, sizeof joined, value);
  }
  if (IsRelativePath(joined)) {
    JoinToDir(ini_path, joined, out, out_size);
  } else {
    Copy(out, out_size, joined);
  }
}

}  // namespace orv
