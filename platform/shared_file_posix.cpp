#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/shared_file.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

FileHandle OpenSharedFile(const char* path) {
  if (path == nullptr || *path == '\0') return kInvalidFile;
  const int fd = open(ToPosixPath(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  return fd < 0 ? kInvalidFile : fd;
}

void CloseSharedFile(FileHandle file) {
  if (file != kInvalidFile) close(static_cast<int>(file));
}

bool SeekToEnd(FileHandle file, std::uint32_t* error_code) {
  if (lseek(static_cast<int>(file), 0, SEEK_END) != static_cast<off_t>(-1)) return true;
  if (error_code != nullptr) *error_code = static_cast<std::uint32_t>(errno);
  return false;
}

void WriteAll(FileHandle file, const char* data, int length) {
  while (length > 0) {
    const ssize_t written = write(static_cast<int>(file), data, static_cast<size_t>(length));
    if (written <= 0) return;
    data += written;
    length -= static_cast<int>(written);
  }
}

}  // namespace orv::platform
