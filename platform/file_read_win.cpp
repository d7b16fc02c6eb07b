#include <fstream>
#include <sstream>

#include "platform/file_read.h"

namespace orv::platform {

bool ReadWholeFile(const char* path, std::string* content) {
  if (path == nullptr || content == nullptr) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  *content = text.str();
  return true;
}

}  // namespace orv::platform
