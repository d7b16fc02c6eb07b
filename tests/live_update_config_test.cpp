// The update window's configuration: the per-user save folder, prepared once per loaded
// module, and the readers of "liveupdateinfo.ini" and "taskinfo.ini" beside the executable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "framework/bounded_string.h"
#include "platform/folders.h"
#include "platform/os_version.h"
#include "tests/support/harness.h"

namespace orv::testing {
namespace {

const std::string kGame = "\xd3\xce\xcf\xb7";  // "游戏"
const std::string kTabs = "\t\t\t\t";

std::string AppData() {
  char folder[kPathSize] = {};
  platform::GetAppDataFolder(folder);
  return folder;
}

class LiveUpdateConfig : public ProbeTest {
 protected:
  void SetUp() override { ASSERT_NE(nullptr, probe); }
  void TearDown() override { probe->Release(0); }

  std::string Text(const char* section, const char* key) {
    char out[kMessageSize] = {};
    probe->ReadInfoText(section, key, out, kNoticeSize);
    return out;
  }
  // The save folder is prepared once per module: with these lines, at this path.
  void ExpectPrepared(const std::string& project, const std::string& name) {
    debug.Take();
    probe->NewLiveUpdateConfig();
    const std::string path = AppData() + "\\" + name + "\\LiveUpdateConfig\\liveupdate.cfg";
    EXPECT_EQ("CLiveUpdateConfig::IsVistaOS, " + kTabs +
                  "IsVista=" + (platform::OsMajorVersion() >= 6 ? "1" : "0") +
                  "\nCLiveUpdateConfig::GetLiveupdateSaveFolderPath, " + kTabs +
                  "LiveupdateSaveFolderPath=" + AppData() +
                  "\nCLiveUpdateConfig::GetSaveFloderName, " + kTabs + "ProjectName=" + project +
                  ", SaveFloderName=" + name +
                  "\nCLiveUpdateConfig::CLiveUpdateConfig, LiveUpdateConfig=" + path + "\n",
              debug.Take());
    EXPECT_EQ(path, probe->LiveUpdateConfigPath());
    EXPECT_TRUE(platform::PathExists((AppData() + "\\" + name + "\\LiveUpdateConfig").c_str()));
  }

  LauncherFiles files;
  IProbe* probe = NewProbe();
};

TEST_F(LiveUpdateConfig, SaveFolderNamedFromLiveUpdateInfoProjectNameFromTaskInfoOnly) {
  files.Write("liveupdateinfo.ini",
              "[ProjectOption]\nprojectname=Alpha\n"
              "[cancelupdatewhendownload]\nNotice=Stop ${PROJECTNAME} now?\ntype=4\n");
  std::error_code ignored;
  std::filesystem::remove_all(NativePath(AppData() + "\\AlphaLiveUpdate"), ignored);
  ExpectPrepared("Alpha", "AlphaLiveUpdate");
  probe->NewLiveUpdateConfig();  // a second object in the same module neither recomputes nor logs
  EXPECT_EQ("", debug.Take());

  EXPECT_EQ("Stop " + kGame + " now?", Text("cancelupdatewhendownload", "Notice"));
  EXPECT_EQ("CLiveUpdateConfig::GetTaskInfo, " + kTabs +
                "TaskInfoPath=" + BesideExecutable("taskinfo.ini") +
                ", Section=ProjectOption, Key=projectname, Value=\n" +
                "CLiveUpdateConfig::GetLiveUpdateInfo, " + kTabs +
                "LiveUpdateInfoPath=" + BesideExecutable("liveupdateinfo.ini") +
                ", Section=cancelupdatewhendownload, Key=Notice, Value=Stop " + kGame + " now?\n",
            debug.Take());
  // An edited file takes effect at the next read.
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Beta\n");
  EXPECT_EQ("Stop Beta now?", Text("cancelupdatewhendownload", "Notice"));
}

TEST_F(LiveUpdateConfig, NoProjectNameAnywhereAndFoldersThatAlreadyExist) {
  std::filesystem::create_directories(NativePath(AppData() + "\\LiveUpdate\\LiveUpdateConfig"));
  ExpectPrepared("", "LiveUpdate");
}

TEST_F(LiveUpdateConfig, NoticesAreCutBeforeTheProjectNameIsFilledInAndNumbersDefaultToMinusOne) {
  files.Write(
      "liveupdateinfo.ini",
      "[cancelupdatewheninstall]\nNotice=${PROJECTNAME}" + std::string(586, 'x') +
          "\n[canceladviseupdatewhendownload]\ntype=abc\n[cancelupdatewhendownload]\ntype=4\n");
  // 600 characters cut to 519 first.
  EXPECT_EQ(kGame + std::string(505, 'x'), Text("cancelupdatewheninstall", "Notice"));
  EXPECT_EQ(-1, probe->ReadInfoNumber("cancelupdatewheninstall", "type"));
  EXPECT_EQ(0, probe->ReadInfoNumber("canceladviseupdatewhendownload", "type"));
  EXPECT_EQ(4, probe->ReadInfoNumber("cancelupdatewhendownload", "type"));
  EXPECT_NE(std::string::npos,
            debug.Take().find("Section=cancelupdatewhendownload, Key=type, Value=4\n"));

  // A result that does not fit leaves the caller's buffer as it was.
  files.Write("liveupdateinfo.ini", "[cancelupdatewheninstall]\nNotice=${PROJECTNAME}!\n");
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=LongProjectName\n");
  char out[32] = "caller's";
  probe->ReadInfoText("cancelupdatewheninstall", "Notice", out, 16);
  EXPECT_STREQ("caller's", out);
  probe->ReadInfoText("cancelupdatewheninstall", "Notice", out, 17);
  EXPECT_STREQ("LongProjectName!", out);
  // Left so, it may hold no terminator: its line shows no more than its size.
  char unterminated[16];
  std::memset(unterminated, 'u', sizeof unterminated);
  debug.Take();
  probe->ReadInfoText("cancelupdatewheninstall", "Notice", unterminated, 16);
  probe->ReadInfoText("cancelupdatewheninstall", "Notice", unterminated, 0);
  const std::string lines = debug.Take();
  EXPECT_NE(std::string::npos, lines.find("Key=Notice, Value=" + std::string(16, 'u') + "\n"));
  EXPECT_NE(std::string::npos, lines.find("Key=Notice, Value=\n"));
}

#if !defined(_WIN32)
TEST_F(LiveUpdateConfig, AFailedFolderQueryGivesTheBarePath) {
  const std::string saved = std::getenv("XDG_CONFIG_HOME");
  setenv("XDG_CONFIG_HOME", (saved + "/does-not-exist").c_str(), 1);
  probe->NewLiveUpdateConfig();
  setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  EXPECT_STREQ("\\liveupdate.cfg", probe->LiveUpdateConfigPath());
  const std::string lines = debug.Take();
  EXPECT_EQ(std::string::npos, lines.find("GetSaveFloderName"));
  EXPECT_NE(
      std::string::npos,
      lines.find("CLiveUpdateConfig::CLiveUpdateConfig, LiveUpdateConfig=\\liveupdate.cfg\n"));
}
#endif

}  // namespace
}  // namespace orv::testing
