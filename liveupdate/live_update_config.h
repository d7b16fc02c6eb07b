// CLiveUpdateConfig: the update window's configuration.
//
// It reads "liveupdateinfo.ini" (notices, their message-box types, error tips) and
// "taskinfo.ini" (the project name that fills "${PROJECTNAME}"), both beside the launcher's
// executable and read afresh at every call, and it prepares the per-user save folder and the
// path of "liveupdate.cfg" once per process. Every operation writes one line to the debugger
// output. The readers are class-level: callers need no object.
#pragma once

#include <cstdint>

namespace orv {

// The project's name where neither ini file gives one.
constexpr char kDefaultProjectName[] = "\xd3\xce\xcf\xb7";  // "游戏"

class CLiveUpdateConfig {
 public:
  // Prepares the save folder and the configuration path, unless an earlier object of the
  // process already did.
  CLiveUpdateConfig();

  // The per-user application-data folder into `folder` (260 bytes).
  static int GetLiveupdateSaveFolderPath(char* folder);
  static int IsVistaOS();
  // The project name followed by "LiveUpdate".
  static void GetSaveFloderName(char* name, std::uint32_t size);

  // A text of "liveupdateinfo.ini", read raw (at most 519 characters), then with every
  // "${PROJECTNAME}" replaced by the project name of "taskinfo.ini" (or the GBK "游戏").
  // `out` is not cleared first: a result that does not fit leaves what the caller put there.
  static void GetLiveUpdateInfo(const char* section, const char* key, char* out, int out_size);
  // A number of "liveupdateinfo.ini"; -1 when absent.
  static void GetLiveUpdateInfo(const char* section, const char* key, int* value);
  // A text of "taskinfo.ini", unchanged.
  static void GetTaskInfo(const char* section, const char* key, char* out, std::uint32_t size);

  // The path of "liveupdate.cfg" prepared by the first object; empty before.
  static const char* ConfigurationPath();
};

}  // namespace orv
