// Profile reading. The same cases run against the POSIX implementation and, in the Windows
// build under Wine, against GetPrivateProfileStringA / GetPrivateProfileIntA themselves, so
// that any difference between the two fails here.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/harness.h"

namespace orv::testing {
namespace {

using platform::ReadProfileInt;
using platform::ReadProfileString;

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("app.ini",
                 "; a comment line\r\n"
                 "[First]\r\n"
                 "Name=Value\r\n"
                 "  spaced key   =   inner  blanks kept  \r\n"
                 "double=\"quoted value\"\r\n"
                 "single='x'\r\n"
                 "unbalanced=\"open\r\n"
                 "twice=first\r\n"
                 "twice=second\r\n"
                 "novalue\r\n"
                 "empty=\r\n"
                 "\r\n"
                 "[ Numbers ]\n"
                 "plain=42\n"
                 "negative=-7\n"
                 "hex=0x1F\n"
                 "octal=0o17\n"
                 "binary=0b101\n"
                 "trailing=12abc\n"
                 "word=abc\n"
                 "signed= +5 \n"
                 "big=4294967297\n"
                 "empty=\n"
                 "[first]\n"
                 "Name=from the second section of that name\n"
                 "onlyhere=hidden\n");
    ini = folder.PathOf("app.ini");
  }

  std::string Read(const char* section, const char* key, const char* default_value = "",
                   int size = 260) {
    char out[260];
    const int length = ReadProfileString(section, key, default_value, out, size, ini.c_str());
    EXPECT_EQ(std::string(out).size(), static_cast<size_t>(length));
    return out;
  }

  TempFolder folder;
  std::string ini;
};

TEST_F(Profile, StringsAsTheWindowsReaderGivesThem) {
  const struct {
    const char* section;
    const char* key;
    const char* fallback;
    int size;
    const char* expected;
  } cases[] = {
      // Names ignore case and blanks around them; one pair of matching quotes goes; the first
      // match wins, in the first section of that name; values are cut to the buffer.
      {"first", "NAME", "", 260, "Value"},
      {"First", "spaced key", "", 260, "inner  blanks kept"},
      {"numbers", "plain", "", 260, "42"},
      {"First", "double", "", 260, "quoted value"},
      {"First", "single", "", 260, "x"},
      {"First", "unbalanced", "", 260, "\"open"},
      {"First", "twice", "", 260, "first"},
      {"FIRST", "onlyhere", "dflt", 260, "dflt"},
      {"First", "absent", "dflt", 260, "dflt"},
      {"Nowhere", "Name", "dflt", 260, "dflt"},
      {"First", "absent", nullptr, 260, ""},
      {"First", "novalue", "dflt", 260, "dflt"},
      {"First", "empty", "dflt", 260, ""},
      {"First", "absent", "with blanks   ", 260, "with blanks"},
      {"First", "Name", "", 4, "Val"},
      {"First", "Name", "", 1, ""},
      {"First", "absent", "dflt", 3, "df"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Read(c.section, c.key, c.fallback, c.size)) << c.section << "/" << c.key;
  }
  char out[32] = "untouched";
  EXPECT_EQ(4, ReadProfileString("First", "Name", "none", out, sizeof out,
                                 folder.PathOf("missing.ini").c_str()));
  EXPECT_STREQ("none", out);
  // A NUL byte inside a value: the length returned is the C string's (Read checks it).
  folder.Write("app.ini", std::string("[S]\nk=ab\0cd\n", 13));
  EXPECT_EQ("ab", Read("S", "k"));
}

TEST_F(Profile, IntegersParseAsTheWindowsReaderDoes) {
  const std::pair<const char*, int> cases[] = {
      {"plain", 42}, {"negative", -7}, {"hex", 31}, {"octal", 15}, {"binary", 5}, {"trailing", 12},
      {"word", 0},   {"signed", 5},    {"big", 1},  {"empty", -1}, {"absent", -1}};
  for (const auto& [key, expected] : cases)
    EXPECT_EQ(expected, ReadProfileInt("Numbers", key, -1, ini.c_str())) << key;
  EXPECT_EQ(9, ReadProfileInt("Numbers", "plain", 9, folder.PathOf("missing.ini").c_str()));
}

}  // namespace
}  // namespace orv::testing
