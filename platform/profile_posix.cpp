#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/profile.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const char* b) {
  const size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (size_t i = 0; i < length; ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// One pair of matching quotes, single or double, around the whole value goes.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Looks the key up in the first section of that name; false when the file, the section or
// the key is missing.
bool FindValue(const char* file, const char* section, const char* key, std::string* value) {
  std::ifstream in(ToPosixPath(file), std::ios::binary);
  if (!in) return false;
  std::stringstream content;
  content << in.rdbuf();
  std::string text = content.str();
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

  std::istringstream lines(text);
  std::string line;
  bool in_section = false;
  bool section_seen = false;
  while (std::getline(lines, line)) {
    const std::string trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    if (trimmed[0] == '[') {
      if (section_seen) return false;  // only the first section of a name counts
      const size_t close = trimmed.find(']');
      const std::string name =
          Trimmed(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      in_section = SameName(name, section);
      section_seen = in_section;
      continue;
    }
    if (!in_section) continue;
    const size_t equals = trimmed.find('=');
    const std::string name = Trimmed(trimmed.substr(0, equals));
    if (!SameName(name, key)) continue;
    if (equals == std::string::npos) return false;  // a name without '=' has no value
    *value = Trimmed(trimmed.substr(equals + 1));
    return true;
  }
  return false;
}

int CopyCut(const std::string& text, char* out, int size) {
  // A NUL byte in the file ends the value: the caller sees a C string of the length returned.
  const size_t text_length = std::min(text.size(), text.find('\0'));
  const size_t length = text_length < static_cast<size_t>(size) ? text_length : size - 1;
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace

int ReadProfileString(const char* section, const char* key, const char* default_value, char* out,
                      int size, const char* file) {
  if (out == nullptr || size < 1) return 0;
  std::string value;
  if (section == nullptr || key == nullptr || file == nullptr ||
      !FindValue(file, section, key, &value)) {
    value = default_value ? default_value : "";
    // Trailing blanks of the default go, but never its first character.
    while (value.size() > 1 && value.back() == ' ') value.pop_back();
  }
  return CopyCut(Unquoted(value), out, size);
}

int ReadProfileInt(const char* section, const char* key, int default_value, const char* file) {
  char text[30];
  if (ReadProfileString(section, key, "", text, sizeof text, file) == 0) return default_value;
  const char* p = text;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  std::uint32_t total = 0;  // wraps on overflow, as the Windows parser does
  for (; *p != '\0'; ++p) {
    unsigned digit;
    if (*p >= '0' && *p <= '9') {
      digit = static_cast<unsigned>(*p - '0');
    } else if (*p >= 'a' && *p <= 'z') {
      digit = static_cast<unsigned>(*p - 'a' + 10);
    } else if (*p >= 'A' && *p <= 'Z') {
      digit = static_cast<unsigned>(*p - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    total = total * base + digit;
  }
  return static_cast<int>(negative ? 0u - total : total);
}

}  // namespace orv::platform
