#include <fstream>
#include <sstream>

#include "platform/file_read.h"
#include "platform/windows_path_posix.h"

namespace orv::platform {

bool ReadWholeFile(const char* path, std::string* content) {
  if (path == nullptr || content == nullptr) return false;
  std::ifstream in(ToPosixPath(path), std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  *content = text.str();
  return true;
}

}  // namespace orv::platform
