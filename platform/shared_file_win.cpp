#include <windows.h>

#include "platform/shared_file.h"

namespace orv::platform {
namespace {

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

FileHandle OpenSharedFile(const char* path) {
  if (path == nullptr || *path == '\0') return kInvalidFile;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? kInvalidFile : reinterpret_cast<FileHandle>(file);
}

void CloseSharedFile(FileHandle file) {
  if (file != kInvalidFile) CloseHandle(AsHandle(file));
}

bool SeekToEnd(FileHandle file, std::uint32_t* error_code) {
  SetLastError(NO_ERROR);
  const DWORD position = SetFilePointer(AsHandle(file), 0, nullptr, FILE_END);
  const DWORD error = GetLastError();
  // A position equal to the failure value is a real position of a large file unless an
  // error code comes with it.
  if (position != INVALID_SET_FILE_POINTER || error == NO_ERROR) return true;
  if (error_code != nullptr) *error_code = error;
  return false;
}

void WriteAll(FileHandle file, const char* data, int length) {
  DWORD written = 0;
  WriteFile(AsHandle(file), data, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace orv::platform
