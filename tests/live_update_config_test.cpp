// The update window's configuration: the per-user save folder, prepared once per loaded
// module, and the readers of "liveupdateinfo.ini" and "taskinfo.ini" beside the executable.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/bounded_string.h"
#include "platform/debug_capture.h"
#include "platform/folders.h"
#include "platform/os_version.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/launcher_files.h"
#include "tests/support/loaded_module.h"

namespace orv::testing {
namespace {

const std::string kGame = "\xd3\xce\xcf\xb7";  // "游戏"
const char kTabs[] = "\t\t\t\t";

std::string AppData() {
  char folder[kPathSize] = {};
  platform::GetAppDataFolder(folder);
  return folder;
}

std::string SaveFolderLines(const std::string& project, const std::string& name,
                            const std::string& path) {
  return std::string("CLiveUpdateConfig::IsVistaOS, ") + kTabs + "IsVista=" +
         (platform::OsMajorVersion() >= 6 ? "1" : "0") + "\n" +
         "CLiveUpdateConfig::GetLiveupdateSaveFolderPath, " + kTabs +
         "LiveupdateSaveFolderPath=" + AppData() + "\n" + "CLiveUpdateConfig::GetSaveFloderName, " +
         kTabs + "ProjectName=" + project + ", SaveFloderName=" + name + "\n" +
         "CLiveUpdateConfig::CLiveUpdateConfig, LiveUpdateConfig=" + path + "\n";
}

class LiveUpdateConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    files.Remove("liveupdateinfo.ini");
    files.Remove("taskinfo.ini");
  }
  IProbe* Probe() {
    if (probe_ == nullptr) probe_ = static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0));
    return probe_;
  }
  void TearDown() override {
    if (probe_ != nullptr) probe_->Release(0);
    debug.Take();
  }
  std::string Text(const char* section, const char* key, int size = kNoticeSize) {
    char out[kMessageSize] = {};
    Probe()->ReadInfoText(section, key, out, size);
    return out;
  }
  void RemoveSaveFolders(const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove_all(NativePath(AppData() + "\\" + name), ignored);
  }

  LauncherFiles files;
  platform::DebugCapture debug;
  LoadedModule probes{"OrvProbe.dll"};
  IProbe* probe_ = nullptr;
};

TEST_F(LiveUpdateConfig, SaveFolderNamedFromLiveUpdateInfoProjectNameFromTaskInfoOnly) {
  files.Write("liveupdateinfo.ini",
              "[ProjectOption]\nprojectname=Alpha\n"
              "[cancelupdatewhendownload]\nNotice=Stop ${PROJECTNAME} now?\ntype=4\n");
  RemoveSaveFolders("AlphaLiveUpdate");
  Probe()->NewLiveUpdateConfig();
  const std::string project = AppData() + "\\AlphaLiveUpdate";
  const std::string path = project + "\\LiveUpdateConfig\\liveupdate.cfg";
  EXPECT_EQ(SaveFolderLines("Alpha", "AlphaLiveUpdate", path), debug.Take());
  EXPECT_EQ(path, Probe()->LiveUpdateConfigPath());
  EXPECT_TRUE(platform::PathExists(project.c_str()));
  EXPECT_TRUE(platform::PathExists((project + "\\LiveUpdateConfig").c_str()));

  // A second object in the same module neither recomputes nor logs.
  Probe()->NewLiveUpdateConfig();
  EXPECT_EQ("", debug.Take());

  const std::string info = BesideExecutable("liveupdateinfo.ini");
  const std::string task = BesideExecutable("taskinfo.ini");
  EXPECT_EQ("Stop " + kGame + " now?", Text("cancelupdatewhendownload", "Notice"));
  EXPECT_EQ(std::string("CLiveUpdateConfig::GetTaskInfo, ") + kTabs + "TaskInfoPath=" + task +
                ", Section=ProjectOption, Key=projectname, Value=\n" +
                "CLiveUpdateConfig::GetLiveUpdateInfo, " + kTabs + "LiveUpdateInfoPath=" + info +
                ", Section=cancelupdatewhendownload, Key=Notice, Value=Stop " + kGame + " now?\n",
            debug.Take());

  // An edited file takes effect at the next read.
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Beta\n");
  EXPECT_EQ("Stop Beta now?", Text("cancelupdatewhendownload", "Notice"));
  RemoveSaveFolders("AlphaLiveUpdate");
}

TEST_F(LiveUpdateConfig, NoProjectNameAnywhereAndFoldersThatAlreadyExist) {
  const std::string project = AppData() + "\\LiveUpdate";
  std::filesystem::create_directories(NativePath(project + "\\LiveUpdateConfig"));
  Probe()->NewLiveUpdateConfig();
  EXPECT_EQ(SaveFolderLines("", "LiveUpdate", project + "\\LiveUpdateConfig\\liveupdate.cfg"),
            debug.Take());
  RemoveSaveFolders("LiveUpdate");
}

TEST_F(LiveUpdateConfig, NoticesAreCutBeforeTheProjectNameIsFilledIn) {
  const std::string notice = "${PROJECTNAME}" + std::string(586, 'x');  // 600 characters
  files.Write("liveupdateinfo.ini", "[cancelupdatewheninstall]\nNotice=" + notice + "\n");
  EXPECT_EQ(kGame + std::string(505, 'x'), Text("cancelupdatewheninstall", "Notice"));

  // A result that does not fit leaves the caller's buffer as it was.
  files.Write("liveupdateinfo.ini", "[cancelupdatewheninstall]\nNotice=${PROJECTNAME}!\n");
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=LongProjectName\n");
  char out[32] = "caller's";
  Probe()->ReadInfoText("cancelupdatewheninstall", "Notice", out, 16);
  EXPECT_STREQ("caller's", out);
  Probe()->ReadInfoText("cancelupdatewheninstall", "Notice", out, 17);
  EXPECT_STREQ("LongProjectName!", out);
}

TEST_F(LiveUpdateConfig, NumbersAreMinusOneWhenAbsentAndZeroWhenNotNumbers) {
  files.Write("liveupdateinfo.ini",
              "[canceladviseupdatewhendownload]\ntype=abc\n[cancelupdatewhendownload]\ntype=4\n");
  EXPECT_EQ(-1, Probe()->ReadInfoNumber("cancelupdatewheninstall", "type"));
  EXPECT_EQ(0, Probe()->ReadInfoNumber("canceladviseupdatewhendownload", "type"));
  EXPECT_EQ(4, Probe()->ReadInfoNumber("cancelupdatewhendownload", "type"));
  EXPECT_NE(std::string::npos,
            debug.Take().find("Section=cancelupdatewhendownload, Key=type, Value=4\n"));
}

#if !defined(_WIN32)
TEST_F(LiveUpdateConfig, AFailedFolderQueryGivesTheBarePath) {
  const std::string saved = std::getenv("XDG_CONFIG_HOME");
  setenv("XDG_CONFIG_HOME", (saved + "/does-not-exist").c_str(), 1);
  Probe()->NewLiveUpdateConfig();
  setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  EXPECT_STREQ("\\liveupdate.cfg", Probe()->LiveUpdateConfigPath());
  const std::string lines = debug.Take();
  EXPECT_EQ(std::string::npos, lines.find("GetSaveFloderName"));
  EXPECT_NE(std::string::npos,
            lines.find("CLiveUpdateConfig::CLiveUpdateConfig, LiveUpdateConfig=\\liveupdate.cfg\n"));
}
#endif

}  // namespace
}  // namespace orv::testing
