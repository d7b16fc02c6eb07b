// Folders: the per-user application-data folder, and testing for and creating a folder.
#pragma once

namespace orv::platform {

// SHGetSpecialFolderPathA(no owner, out, CSIDL_APPDATA, create = FALSE) into `out`, which has
// 260 bytes. On POSIX the folder is $XDG_CONFIG_HOME, else $HOME/.config, in Windows form; the
// query fails when that folder does not exist, since it is never created here.
bool GetAppDataFolder(char* out);

// _access(path, 0) == 0: the file or folder exists.
bool PathExists(const char* path);

// CreateDirectoryA(path, no security attributes).
bool CreateFolder(const char* path);

}  // namespace orv::platform
