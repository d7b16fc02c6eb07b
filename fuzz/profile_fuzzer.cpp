// The POSIX profile reader against the file it is given. The input writes the file line by
// line (sections, keys with and without "=", comments, blank lines; blanks around names and
// values, either line end, an optional byte-order mark), so the answer a lookup must give is
// known as the file is written. Values are any bytes but a line end. Each lookup is read into
// a large and a small buffer: the small answer is the large one cut, terminated, its length
// returned; the integer reading parses the same value.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/profile.h"

namespace {

using orv::fuzz::Lower;

// Short names over "aAbB1.": the same name comes up often, mostly in another case.
std::string Name(FuzzedDataProvider& in) {
  std::string name(in.ConsumeIntegralInRange(1, 3), 'a');
  for (char& c : name) c = "aAbB1."[in.ConsumeIntegralInRange(0, 5)];
  return name;
}

std::string Pad(FuzzedDataProvider& in) {
  const int count = in.ConsumeIntegralInRange(0, 2);
  return std::string(count, in.ConsumeBool() ? ' ' : '\t');
}

std::string Line(FuzzedDataProvider& in, size_t most) {
  std::string text = in.ConsumeRandomLengthString(most);
  text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
  return text;
}

std::string Unquoted(const std::string& v) {
  const bool quoted = v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0];
  return quoted ? v.substr(1, v.size() - 2) : v;
}

// Optional sign, then decimal or 0x / 0o / 0b digits, wrapping at 32 bits; the reader looks
// at no more than 29 characters.
int IntModel(std::string text, int fallback) {
  text = text.substr(0, 29);
  if (text.empty()) return fallback;
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::string prefix = text.substr(i, 2);
  const std::uint32_t base = prefix == "0x" ? 16 : prefix == "0o" ? 8 : prefix == "0b" ? 2 : 10;
  if (base != 10) i += 2;
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    const size_t digit =
        std::string("0123456789abcdefghijklmnopqrstuvwxyz").find(Lower(text.substr(i, 1)));
    if (digit >= base) break;
    total = total * base + static_cast<std::uint32_t>(digit);
  }
  return static_cast<int>(negative ? 0u - total : total);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  static orv::fuzz::ScratchFile scratch("app.ini");
  FuzzedDataProvider in(data, size);
  const std::string section = Name(in), key = Name(in);
  std::string file = in.ConsumeBool() ? "\xEF\xBB\xBF" : "";
  bool in_section = false, section_seen = false, decided = false, found = false;
  std::string value;
  for (int lines = in.ConsumeIntegralInRange(0, 12); lines > 0; --lines) {
    std::string line = Pad(in);
    const int kind = in.ConsumeIntegralInRange(0, 4);
    const std::string name = kind <= 2 ? Name(in) : "";
    const bool ours = !decided && in_section && Lower(name) == Lower(key);
    if (kind == 0) {  // only the first section of that name is searched
      line += "[" + Pad(in);
      line += name + Pad(in) + "]";
      line += Line(in, 8);
      decided = decided || section_seen;
      in_section = Lower(name) == Lower(section);
      section_seen = in_section;
    } else if (kind == 1) {
      std::string v = Line(in, 24);
      v.erase(0, v.find_first_not_of(" \t\r\v\f"));
      v.erase(v.find_last_not_of(" \t\r\v\f") + 1);
      line += name + Pad(in) + "=";
      line += Pad(in) + v;
      if (ours) {
        decided = found = true;
        value = v;
      }
    } else if (kind == 2) {  // a name without "=" has no value
      line += name;
      decided = decided || ours;
    } else if (kind == 3) {
      line += ";" + Line(in, 8);
    }
    line += Pad(in);
    file += line + (in.ConsumeBool() ? "\r\n" : "\n");
  }
  const bool default_given = in.ConsumeBool();
  std::string fallback = in.ConsumeRandomLengthString(12).c_str();
  const int small_size = in.ConsumeIntegralInRange(1, 40);
  const int fallback_int = in.ConsumeIntegral<int>();
  const char* path = scratch.Write(file).c_str();

  const std::string fallback_text = default_given ? fallback : "";
  if (default_given) {
    while (fallback.size() > 1 && fallback.back() == ' ') fallback.pop_back();
  }
  // A NUL byte inside a value ends it: what the reader hands back is a C string.
  std::string expected = Unquoted(found ? value : default_given ? fallback : "");
  expected = expected.substr(0, expected.find('\0'));
  char large[512];
  const int got = orv::platform::ReadProfileString(section.c_str(), key.c_str(),
                                                   default_given ? fallback_text.c_str() : nullptr,
                                                   large, sizeof large, path);
  FUZZ_CHECK(got == static_cast<int>(std::strlen(large)) && large == expected);

  std::vector<char> small(static_cast<size_t>(small_size));
  const int cut = orv::platform::ReadProfileString(
      section.c_str(), key.c_str(), fallback_text.c_str(), small.data(), small_size, path);
  FUZZ_CHECK(cut == std::min(got, small_size - 1) && std::memcmp(small.data(), large, cut) == 0 &&
             small[cut] == '\0');

  const int number =
      orv::platform::ReadProfileInt(section.c_str(), key.c_str(), fallback_int, path);
  const std::string int_text = found ? Unquoted(value) : "";
  FUZZ_CHECK(number == IntModel(int_text.substr(0, int_text.find('\0')), fallback_int));
  return 0;
}
