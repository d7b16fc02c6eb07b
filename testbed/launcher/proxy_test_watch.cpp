#include "testbed/launcher/proxy_test_watch.h"

#include <chrono>
#include <thread>

#include "platform/native_window.h"

namespace orv::launcher {
namespace {

constexpr const char* kOutcomes[] = {
    "ok", "refused", "time-out", "authentication-rejected", "target-unreachable", "malformed"};
constexpr char kCaption[] = "\xb5\xc7\xc2\xbc\xcc\xe1\xca\xbe";  // "登录提示"
constexpr char kProxyWorks[] =
    "\xb4\xfa\xc0\xed\xb7\xfe\xce\xf1\xc6\xf7\xb9\xa4\xd7\xf7\xd5\xfd\xb3\xa3";  // "代理服务器工作正常"
constexpr char kProxyUnreachable[] =
    "\xce\xde\xb7\xa8\xc1\xac\xbd\xd3\xb5\xbd\xb4\xfa\xc0\xed\xb7\xfe\xce\xf1\xc6\xf7";  // "无法连接到代理服务器"

}  // namespace

std::string AwaitProxyTest(Run* run, int limit_ms) {
  int started = 0;
  bool running = true;
  int outcome = 0;
  for (int waited = 0;; waited += 10) {
    run->setup.testbed->NewestProxyTest(&started, &running, &outcome);
    if (started > run->batch.proxy_tests_awaited && !running) break;
    if (waited >= limit_ms) {
      return started > run->batch.proxy_tests_awaited
                 ? "still running after " + std::to_string(limit_ms) + " ms"
                 : "no test ran";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  run->batch.proxy_tests_awaited = started;
  run->TakeModuleLines();
  const std::string lines = run->module_lines.substr(run->batch.proxy_lines_seen);
  run->batch.proxy_lines_seen = run->module_lines.size();

  // The module logs a failure with its code, and shows its box: where the system's message
  // box is a debugger line, that line's text is checked byte for byte.
  const bool failure_logged = lines.find("_OnCennetFail err=") != std::string::npos;
  if (outcome != 0 &&
      lines.find("_OnCennetFail err=" + std::to_string(outcome) + "\n") == std::string::npos) {
    return "inconsistent: outcome " + std::to_string(outcome) +
           ", not logged by the module with that code";
  }
  if (outcome == 0 && failure_logged)
    return "inconsistent: the proxy opened a tunnel, the module logged a failure";
  if (!platform::NativeWindowsAvailable()) {
    const std::string box = std::string("[MessageBox] ") + kCaption + " | " +
                            (outcome == 0 ? kProxyWorks : kProxyUnreachable) + "\n";
    if (lines.find(box) == std::string::npos)
      return "inconsistent: the module did not show its box for the outcome";
  }
  return outcome >= 0 && outcome <= 5 ? kOutcomes[outcome] : "failure " + std::to_string(outcome);
}

}  // namespace orv::launcher
