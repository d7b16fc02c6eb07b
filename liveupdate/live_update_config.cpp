#include "liveupdate/live_update_config.h"

#include <cstring>

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "framework/debug_print.h"
#include "platform/folders.h"
#include "platform/os_version.h"
#include "platform/process_info.h"
#include "platform/profile.h"

namespace orv {
namespace {

constexpr char kLiveUpdateInfo[] = "liveupdateinfo.ini";
constexpr char kTaskInfo[] = "taskinfo.ini";
constexpr int kRawTextSize = kNoticeSize;  // texts are read raw, at most 519 characters

// Module-wide: the configuration path (set once), and the launcher folder (recomputed at
// every read).
char g_configuration_path[kPathSize];
char g_launcher_folder[kPathSize];

// One debugger line, in 260 bytes. A reader's line shows the caller's buffer, which a refused
// read leaves as it was, perhaps with no terminator: never more of it than its size.
template <typename... Args>
void Log(const char* format, Args... args) {
  DebugPrintIn(kPathSize, format, args...);
}

// The folder of the process's main executable, worked out anew at every read (a launcher may
// be moved while it runs; the cached ExecutableDirectory would not see it).
const char* LauncherFolder() {
  FindExecutableDirectory(g_launcher_folder);
  return g_launcher_folder;
}

void IniPath(const char* file_name, char* out) {
  FormatAll(out, kPathSize, "%s\\%s", LauncherFolder(), file_name);
}

// An unsigned buffer size as the signed capacity of the bounded operations.
int CapacityOf(std::uint32_t size) {
  return size > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(size);
}

void CreateFolderIfMissing(const char* path) {
  if (!platform::PathExists(path)) platform::CreateFolder(path);  // a failure changes nothing
}

}  // namespace

CLiveUpdateConfig::CLiveUpdateConfig() {
  if (g_configuration_path[0] != '\0') return;
  char folder[kPathSize] = {};
  char configuration_folder[kPathSize] = {};
  if (GetLiveupdateSaveFolderPath(folder)) {
    char name[kPathSize] = {};
    GetSaveFloderName(name, sizeof name);
    char project_folder[kPathSize] = {};
    FormatAll(project_folder, sizeof project_folder, "%s\\%s", folder, name);
    CreateFolderIfMissing(project_folder);
    char relative[kPathSize] = {};
    FormatAll(relative, sizeof relative, "%s\\%s", name, "LiveUpdateConfig");
    FormatAll(configuration_folder, sizeof configuration_folder, "%s\\%s", folder, relative);
    CreateFolderIfMissing(configuration_folder);
  }
  FormatAll(g_configuration_path, kPathSize, "%s\\%s", configuration_folder, "liveupdate.cfg");
  Log("CLiveUpdateConfig::CLiveUpdateConfig, LiveUpdateConfig=%s\n", g_configuration_path);
}

int CLiveUpdateConfig::GetLiveupdateSaveFolderPath(char* folder) {
  IsVistaOS();  // asked on every system; the answer changes nothing
  const int found = platform::GetAppDataFolder(folder) ? 1 : 0;
  Log("CLiveUpdateConfig::GetLiveupdateSaveFolderPath, \t\t\t\tLiveupdateSaveFolderPath=%s\n",
      folder ? folder : "");
  return found;
}

int CLiveUpdateConfig::IsVistaOS() {
  const int vista = platform::OsMajorVersion() >= 6 ? 1 : 0;
  Log("CLiveUpdateConfig::IsVistaOS, \t\t\t\tIsVista=%d\n", vista);
  return vista;
}

void CLiveUpdateConfig::GetSaveFloderName(char* name, std::uint32_t size) {
  char project[kPathSize] = {};
  char ini[kPathSize] = {};
  IniPath(kLiveUpdateInfo, ini);
  platform::ReadProfileString("ProjectOption", "projectname", "", project, sizeof project, ini);
  if (project[0] == '\0') {
    IniPath(kTaskInfo, ini);
    platform::ReadProfileString("ProjectOption", "projectname", "", project, sizeof project, ini);
  }
  FormatAll(name, CapacityOf(size), "%sLiveUpdate", project);
  // "Floder" kept as written, in the operation's name and in its line.
  Log("CLiveUpdateConfig::GetSaveFloderName, \t\t\t\tProjectName=%s, SaveFloderName=%.*s\n",
      project, LengthWithin(name, CapacityOf(size)), name ? name : "");
}

void CLiveUpdateConfig::GetLiveUpdateInfo(const char* section, const char* key, char* out,
                                          int out_size) {
  char ini[kPathSize] = {};
  IniPath(kLiveUpdateInfo, ini);
  char text[kRawTextSize] = {};
  platform::ReadProfileString(section, key, "", text, sizeof text, ini);
  char project[kPathSize] = {};
  GetTaskInfo("ProjectOption", "projectname", project, sizeof project);
  if (project[0] == '\0') Copy(project, sizeof project, kDefaultProjectName);
  ReplaceAll(text, "${PROJECTNAME}", project, out, out_size);
  Log("CLiveUpdateConfig::GetLiveUpdateInfo, \t\t\t\tLiveUpdateInfoPath=%s, Section=%s, Key=%s, "
      "Value=%.*s\n",
      ini, section ? section : "", key ? key : "", LengthWithin(out, out_size), out ? out : "");
}

void CLiveUpdateConfig::GetLiveUpdateInfo(const char* section, const char* key, int* value) {
  char ini[kPathSize] = {};
  IniPath(kLiveUpdateInfo, ini);
  const int number = platform::ReadProfileInt(section, key, -1, ini);
  if (value != nullptr) *value = number;
  Log("CLiveUpdateConfig::GetLiveUpdateInfo, \t\t\t\tLiveUpdateInfoPath=%s, Section=%s, Key=%s, "
      "Value=%d\n",
      ini, section ? section : "", key ? key : "", number);
}

void CLiveUpdateConfig::GetTaskInfo(const char* section, const char* key, char* out,
                                    std::uint32_t size) {
  char ini[kPathSize] = {};
  IniPath(kTaskInfo, ini);
  platform::ReadProfileString(section, key, "", out, CapacityOf(size), ini);
  Log("CLiveUpdateConfig::GetTaskInfo, \t\t\t\tTaskInfoPath=%s, Section=%s, Key=%s, Value=%.*s\n",
      ini, section ? section : "", key ? key : "", LengthWithin(out, CapacityOf(size)),
      out ? out : "");
}

const char* CLiveUpdateConfig::ConfigurationPath() { return g_configuration_path; }

}  // namespace orv
