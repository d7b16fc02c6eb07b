#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/debug_output.h"

namespace orv::platform {
namespace {

void WriteAll(int fd, const char* text, size_t length) {
  while (length > 0) {
    ssize_t written = write(fd, text, length);
    if (written <= 0) return;
    text += written;
    length -= static_cast<size_t>(written);
  }
}

}  // namespace

void WriteDebugOutput(const char* text) {
  if (text == nullptr) return;
  const size_t length = std::strlen(text);
  const char* target = std::getenv("ORVEX_DEBUG_OUTPUT");
  if (target == nullptr || *target == '\0') {
    WriteAll(STDERR_FILENO, text, length);
    return;
  }
  // Opened for every message: the target may change between messages (tests, the testbed),
  // and O_APPEND makes each message one append even with several writers.
  int fd = open(target, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return;
  WriteAll(fd, text, length);
  close(fd);
}

void DebugAssertFailed(const char* expression, const char* function) {
  char line[512];
  std::snprintf(line, sizeof line, "Orvex[Assert]: %s in %s\n", expression ? expression : "",
                function ? function : "");
  WriteDebugOutput(line);
}

}  // namespace orv::platform
