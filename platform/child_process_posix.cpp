#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/child_process.h"

namespace orv::platform {

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments) {
  Stop();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return false;
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(program.c_str(), argv.data());
    const char failed = 1;
    ssize_t ignored = write(ready[1], &failed, 1);  // tells the parent that exec failed
    (void)ignored;
    _exit(127);
  }
  close(ready[1]);
  char failed = 0;
  const ssize_t got = read(ready[0], &failed, 1);  // 0 bytes: the exec closed the pipe
  close(ready[0]);
  if (got > 0) {
    waitpid(pid, nullptr, 0);
    return false;
  }
  handle_ = pid;
  return true;
}

void ChildProcess::Stop() {
  if (handle_ == 0) return;
  const auto pid = static_cast<pid_t>(handle_);
  kill(pid, SIGTERM);
  int status = 0;
  for (int i = 0; i < 200 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(10000);
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  handle_ = 0;
}

}  // namespace orv::platform
