// Profile reading. The same cases run against the POSIX implementation and, in the Windows
// build under Wine, against GetPrivateProfileStringA / GetPrivateProfileIntA themselves, so
// that any difference between the two fails here.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

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

TEST_F(Profile, NamesIgnoreCaseAndBlanksAroundNamesAndValues) {
  EXPECT_EQ("Value", Read("first", "NAME"));
  EXPECT_EQ("inner  blanks kept", Read("First", "spaced key"));
  EXPECT_EQ("42", Read("numbers", "plain"));
}

TEST_F(Profile, OnePairOfMatchingQuotesGoes) {
  EXPECT_EQ("quoted value", Read("First", "double"));
  EXPECT_EQ("x", Read("First", "single"));
  EXPECT_EQ("\"open", Read("First", "unbalanced"));
}

TEST_F(Profile, FirstMatchWins) {
  EXPECT_EQ("first", Read("First", "twice"));
  EXPECT_EQ("Value", Read("FIRST", "Name"));
}

TEST_F(Profile, MissingThingsGiveTheDefault) {
  EXPECT_EQ("dflt", Read("First", "absent", "dflt"));
  EXPECT_EQ("dflt", Read("Nowhere", "Name", "dflt"));
  EXPECT_EQ("", Read("First", "absent", nullptr));
  EXPECT_EQ("dflt", Read("First", "novalue", "dflt"));
  EXPECT_EQ("", Read("First", "empty", "dflt"));
  EXPECT_EQ("with blanks", Read("First", "absent", "with blanks   "));

  char out[32] = "untouched";
  EXPECT_EQ(4, ReadProfileString("First", "Name", "none", out, sizeof out,
                                 folder.PathOf("missing.ini").c_str()));
  EXPECT_STREQ("none", out);
}

TEST_F(Profile, ValuesAreCutToTheBuffer) {
  EXPECT_EQ("Val", Read("First", "Name", "", 4));
  EXPECT_EQ("", Read("First", "Name", "", 1));
  EXPECT_EQ("df", Read("First", "absent", "dflt", 3));
  // A NUL byte inside a value: the length returned is the C string's (Read checks it).
  folder.Write("app.ini", std::string("[S]\nk=ab\0cd\n", 13));
  EXPECT_EQ("ab", Read("S", "k"));
}

TEST_F(Profile, IntegersParseAsTheWindowsReaderDoes) {
  const char* file = ini.c_str();
  EXPECT_EQ(42, ReadProfileInt("Numbers", "plain", -1, file));
  EXPECT_EQ(-7, ReadProfileInt("Numbers", "negative", -1, file));
  EXPECT_EQ(31, ReadProfileInt("Numbers", "hex", -1, file));
  EXPECT_EQ(15, ReadProfileInt("Numbers", "octal", -1, file));
  EXPECT_EQ(5, ReadProfileInt("Numbers", "binary", -1, file));
  EXPECT_EQ(12, ReadProfileInt("Numbers", "trailing", -1, file));
  EXPECT_EQ(0, ReadProfileInt("Numbers", "word", -1, file));
  EXPECT_EQ(5, ReadProfileInt("Numbers", "signed", -1, file));
  EXPECT_EQ(1, ReadProfileInt("Numbers", "big", -1, file));
  EXPECT_EQ(-1, ReadProfileInt("Numbers", "empty", -1, file));
  EXPECT_EQ(-1, ReadProfileInt("Numbers", "absent", -1, file));
  EXPECT_EQ(9, ReadProfileInt("Numbers", "plain", 9, folder.PathOf("missing.ini").c_str()));
}

}  // namespace
}  // namespace orv::testing
