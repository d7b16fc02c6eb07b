// Finding the configuration file and the factory DLL, with real files in a temporary folder
// (on POSIX and, in the Windows build, against the real profile functions under Wine).
#include "framework/component_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/bounded_string.h"
#include "tests/support/temp_folder.h"

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

TEST_F(ComponentPaths, PredicatesAndTrim) {
  EXPECT_TRUE(IsRelativePath(nullptr));
  EXPECT_TRUE(IsRelativePath(""));
  EXPECT_TRUE(IsRelativePath("/opt/x"));
  EXPECT_TRUE(IsRelativePath("sub\\x.dll"));
  EXPECT_FALSE(IsRelativePath("\\opt\\x"));
  EXPECT_FALSE(IsRelativePath("C:x"));
  EXPECT_TRUE(IsBlank(nullptr));
  EXPECT_TRUE(IsBlank(" \t "));
  EXPECT_FALSE(IsBlank(" x "));

  char out[8] = "old";
  Trim(" \t a b \t", out, sizeof out);
  EXPECT_STREQ("a b", out);
  Trim("  12345678  ", out, sizeof out);  // eight characters need nine bytes
  EXPECT_STREQ("", out);
  Trim(" \t ", out, sizeof out);
  EXPECT_STREQ("", out);
}

TEST_F(ComponentPaths, JoinToDirKeepsTheFolderOfTheBase) {
  char out[32] = "untouched";
  EXPECT_EQ(0, JoinToDir(nullptr, "x", out, sizeof out));
  EXPECT_EQ(0, JoinToDir("a", "x", out, 0));
  EXPECT_STREQ("untouched", out);
  EXPECT_EQ(1, JoinToDir("C:\\app\\Orvex.ini", "other.ini", out, sizeof out));
  EXPECT_STREQ("C:\\app\\other.ini", out);
  EXPECT_EQ(1, JoinToDir("/opt/app/Orvex.ini", "x.ini", out, sizeof out));
  EXPECT_STREQ("/opt/app/x.ini", out);
  EXPECT_EQ(1, JoinToDir("Orvex.ini", "x.ini", out, sizeof out));
  EXPECT_STREQ("Orvex.ini\\x.ini", out);
  // A piece that does not fit is dropped, never cut.
  EXPECT_EQ(1, JoinToDir("C:\\app\\Orvex.ini", "a-name-much-too-long-to-fit.ini", out, 16));
  EXPECT_STREQ("C:\\app\\", out);
}

TEST_F(ComponentPaths, AbsoluteDllValuesAreUsedAsTheyAre) {
  EXPECT_EQ("C:\\f\\OrvFact.dll", DllPathFrom("[361]\nDLL=C:\\f\\OrvFact.dll\n"));
  EXPECT_EQ("C:\\Program Files\\x.dll", DllPathFrom("[361]\nDLL=  C:\\Program Files\\x.dll \n"));
  const std::string longest = "C:\\" + std::string(256, 'd');  // 259 characters
  EXPECT_EQ(longest, DllPathFrom("[361]\nDLL=" + longest + "\n"));
  // One more and the value no longer fits its buffer: it is dropped, as if empty.
  EXPECT_EQ(folder.PathOf(""), DllPathFrom("[361]\nDLL=" + longest + "x\n"));
}

TEST_F(ComponentPaths, RelativeDllValuesUseTheDefaultFolderOrTheIniFolder) {
  EXPECT_EQ("D:\\dlls\\OrvFact.dll",
            DllPathFrom("[361]\nDLL=OrvFact.dll\n[DefaultValue]\nDllPath=D:\\dlls\n"));
  EXPECT_EQ(folder.PathOf("bin\\OrvFact.dll"),
            DllPathFrom("[361]\nDLL=OrvFact.dll\n[DefaultValue]\nDllPath=bin\n"));
  EXPECT_EQ(folder.PathOf("sub\\OrvFact.dll"),
            DllPathFrom("[361]\nDLL=  sub\\OrvFact.dll  \nNotUseDefaultDllPath=1\n"
                        "[DefaultValue]\nDllPath=D:\\dlls\n"));
  EXPECT_EQ(folder.PathOf("OrvFact.dll"), DllPathFrom("[361]\nDLL=OrvFact.dll\n"));
  // Nothing configured: the ini file's folder with nothing appended, which fails to load.
  EXPECT_EQ(folder.PathOf(""), DllPathFrom("[Other]\nx=1\n"));
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
}

TEST_F(ComponentPaths, ARedirectLoopEnds) {
  folder.Write("a.ini", "[Redirect]\nPath=" + folder.PathOf("b.ini") + "\n");
  folder.Write("b.ini", "[Redirect]\nPath=" + folder.PathOf("a.ini") + "\n");
  // Sixteen steps from a.ini end on a.ini again.
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
}

}  // namespace
}  // namespace orv::testing
