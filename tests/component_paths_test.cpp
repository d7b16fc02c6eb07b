// Finding the configuration file and the factory DLL, with real files in a temporary folder
// (on POSIX and, in the Windows build, against the real profile functions under Wine).
#include "framework/component_paths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "framework/bounded_string.h"
#include "tests/support/harness.h"

namespace orv::testing {
namespace {

class ComponentPaths : public ::testing::Test {
 protected:
  std::string DllPathFrom(const std::string& ini_text) {
    folder.Write("Orvex.ini", ini_text);
    char out[kPathSize] = {};
    FactoryDllPath(folder.PathOf("Orvex.ini").c_str(), out, sizeof out);
    return out;
  }

  std::string Located(const char* registry) {
    char out[kPathSize] = {};
    LocateIni(registry, out, sizeof out);
    return out;
  }

  TempFolder folder;
};

TEST_F(ComponentPaths, PredicatesTrimAndJoin) {
  for (const char* relative : {static_cast<const char*>(nullptr), "", "/opt/x", "sub\\x.dll"}) {
    EXPECT_TRUE(IsRelativePath(relative)) << (relative ? relative : "null");
  }
  EXPECT_FALSE(IsRelativePath("\\opt\\x"));
  EXPECT_FALSE(IsRelativePath("C:x"));
  EXPECT_TRUE(IsBlank(nullptr) && IsBlank(" \t "));
  EXPECT_FALSE(IsBlank(" x "));
  char out[32] = "old";
  Trim(" \t a b \t", out, 8);
  EXPECT_STREQ("a b", out);
  Trim("  12345678  ", out, 8);  // eight characters need nine bytes
  EXPECT_STREQ("", out);

  std::snprintf(out, sizeof out, "untouched");
  EXPECT_EQ(0, JoinToDir(nullptr, "x", out, sizeof out));
  EXPECT_EQ(0, JoinToDir("a", "x", out, 0));
  EXPECT_STREQ("untouched", out);
  const struct {
    const char* base;
    const char* relative;
    int size;
    const char* expected;
  } joins[] = {{"C:\\app\\Orvex.ini", "other.ini", 32, "C:\\app\\other.ini"},
               {"Orvex.ini", "x.ini", 32, "Orvex.ini\\x.ini"},
               {"/opt/app/Orvex.ini", "x.ini", 32, "/opt/app/x.ini"},
               // A name too long for the buffer is dropped, never cut.
               {"C:\\app\\Orvex.ini", "a-name-much-too-long-to-fit.ini", 16, "C:\\app\\"}};
  for (const auto& join : joins) {
    EXPECT_EQ(1, JoinToDir(join.base, join.relative, out, join.size));
    EXPECT_STREQ(join.expected, out);
  }
}

TEST_F(ComponentPaths, TheFactoryDllAsTheConfigurationGivesIt) {
  const std::string longest = "C:\\" + std::string(256, 'd');  // 259 characters
  const std::pair<std::string, std::string> cases[] = {
      {"[361]\nDLL=C:\\f\\OrvFact.dll\n", "C:\\f\\OrvFact.dll"},
      {"[361]\nDLL=  C:\\Program Files\\x.dll \n", "C:\\Program Files\\x.dll"},
      {"[361]\nDLL=" + longest + "\n", longest},
      // One more and the value no longer fits its buffer: it is dropped, as if empty.
      {"[361]\nDLL=" + longest + "x\n", folder.PathOf("")},
      {"[361]\nDLL=OrvFact.dll\n[DefaultValue]\nDllPath=D:\\dlls\n", "D:\\dlls\\OrvFact.dll"},
      {"[361]\nDLL=OrvFact.dll\n[DefaultValue]\nDllPath=bin\n", folder.PathOf("bin\\OrvFact.dll")},
      {"[361]\nDLL=  sub\\OrvFact.dll  "
       "\nNotUseDefaultDllPath=1\n[DefaultValue]\nDllPath=D:\\dlls\n",
       folder.PathOf("sub\\OrvFact.dll")},
      {"[361]\nDLL=OrvFact.dll\n", folder.PathOf("OrvFact.dll")},
      // Nothing configured: the ini file's folder with nothing appended, which fails to load.
      {"[Other]\nx=1\n", folder.PathOf("")},
  };
  for (const auto& [ini_text, expected] : cases)
    EXPECT_EQ(expected, DllPathFrom(ini_text)) << ini_text;
}

TEST_F(ComponentPaths, RelativeRedirectsEndTheChainAbsoluteOnesAreFollowed) {
  folder.Write("Orvex.ini", "[Redirect]\nPath=other.ini\n");
  folder.Write("other.ini", "[Redirect]\nPath=ignored.ini\n");
  EXPECT_EQ(folder.PathOf("other.ini"), Located(folder.PathOf("Orvex.ini").c_str()));

  folder.Write("start.ini", "[Redirect]\nPath=" + folder.PathOf("cfg\\Orvex.ini") + "\n");
  folder.Write("cfg\\Orvex.ini", "[Redirect]\nPath=final.ini\n");
  EXPECT_EQ(folder.PathOf("cfg\\final.ini"), Located(folder.PathOf("start.ini").c_str()));

  folder.Write("blank.ini", "[Redirect]\nPath=   \n");
  EXPECT_EQ(folder.PathOf("blank.ini"), Located(folder.PathOf("blank.ini").c_str()));

  // A loop ends: sixteen steps from a.ini end on a.ini again.
  folder.Write("a.ini", "[Redirect]\nPath=" + folder.PathOf("b.ini") + "\n");
  folder.Write("b.ini", "[Redirect]\nPath=" + folder.PathOf("a.ini") + "\n");
  EXPECT_EQ(folder.PathOf("a.ini"), Located(folder.PathOf("a.ini").c_str()));
}

TEST_F(ComponentPaths, RegistryStringsRelativeToTheExecutable) {
  const std::string beside = std::string(ExecutableDirectory()) + "\\";
  EXPECT_EQ(beside + "Orvex.ini", Located(nullptr));
  EXPECT_EQ(beside + "Orvex.ini", Located(""));
  EXPECT_EQ(beside + "cfg\\my.ini", Located("cfg\\my.ini"));
  EXPECT_EQ("D:\\my.ini", Located("D:\\my.ini"));

  char out[8] = {};
  ExecutablePath("Orvex.ini", out, sizeof out);  // cut to size - 2 characters
  EXPECT_EQ(6u, std::string(out).size());
  EXPECT_EQ(beside.substr(0, 6), out);
  char two[2] = {'x', 'x'};  // room for no character: the cut is empty, and terminated
  ExecutablePath("Orvex.ini", two, sizeof two);
  EXPECT_EQ('\0', two[0]);
}

}  // namespace
}  // namespace orv::testing
