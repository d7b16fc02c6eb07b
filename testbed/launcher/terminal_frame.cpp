#include "testbed/launcher/terminal_frame.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_read.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/launcher_paths.h"
#include "testbed/launcher/screen_texts.h"

namespace orv::launcher {
namespace {

// How many of the newest lines of the module's output and of the log file the log view shows:
// both fit 80x24 with the rest of the frame.
constexpr size_t kLogLines = 6;

std::string LastLines(const std::string& text, size_t count) {
  const std::string wrapped = WrapText(text);
  size_t start = wrapped.size();
  for (size_t lines = 0; start > 0 && lines <= count; --start) {
    if (wrapped[start - 1] == '\n' && ++lines > count) break;
  }
  return wrapped.substr(start);
}

std::string LogArea(const Run& run) {
  std::string log;
  platform::ReadWholeFile(run.setup.log_file.c_str(), &log);
  const std::string source = run.setup.log_file.empty() ? std::string("no log file configured")
                                                        : "log file " + Shown(run.setup.log_file);
  return "-- the module's debugger lines (newest last) --\n" +
         LastLines(platform::GbkToUtf8(run.module_lines), kLogLines) + "-- " + source + " --\n" +
         LastLines(platform::GbkToUtf8(log), kLogLines);
}

std::vector<std::string> Keys(const Run& run, IUILayoutEngine* dialog) {
  const OpenMessageBox& box = run.terminal.box;
  if (run.terminal.field.open) return {"[Enter] done", "[Esc] drop the text"};
  if (box.open) {
    std::vector<std::string> keys;
    if (HasYesNo(box.buttons)) {
      keys = {"[y] Yes", "[n] No"};
    } else {
      keys = {"[o] OK"};
    }
    if (HasCancel(box.buttons)) keys.push_back("[x] Cancel");
    keys.push_back("[q] quit");
    return keys;
  }
  testbed::ITestbedControl* testbed = run.setup.testbed;
  std::vector<std::string> keys;
  if (dialog != nullptr) {
    keys = {"[0/1/2] type", "[a] address", "[t] port", "[u] user", "[w] password", "[d] domain"};
    for (const std::string& key : LiveKeys(testbed, dialog, kDialogKeys)) keys.push_back(key);
  } else {
    keys = LiveKeys(testbed, run.setup.window, kWindowKeys);
    if (CanPlayCurrent(run)) keys.push_back("[g] play the current version");
  }
  for (const char* key : {"[space] pause", "[+/-] speed", "[l] log", "[q] quit"})
    keys.push_back(key);
  return keys;
}

std::vector<std::string> Status(const Run& run) {
  testbed::ITestbedControl* testbed = run.setup.testbed;
  char speed[32];
  std::snprintf(speed, sizeof speed, "speed x%g", run.terminal.speed);
  std::vector<std::string> status = {"t=" + std::to_string(testbed->Now()) + " ms", speed};
  if (run.terminal.paused) status.push_back("PAUSED");
  int played = 0;
  int total = 0;
  if (testbed->ScenarioProgress(&played, &total))
    status.push_back("step " + std::to_string(played) + "/" + std::to_string(total));
  ProxyEntry used{};
  if (testbed->LastUsedProxy(&used)) status.push_back("engine's proxy: " + ProxyText(used));
  return status;
}

std::vector<std::string> RecentStatistics(const Run& run) {
  const auto& stats = run.setup.host->stats();
  std::vector<std::string> names;
  for (auto stat = stats.rbegin(); stat != stats.rend() && names.size() < 3; ++stat) {
    const std::string name = StatisticText(stat->first, stat->second);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::reverse(names.begin(), names.end());
  return names;
}

std::string MessageBoxArea(const OpenMessageBox& box) {
  std::string area = WrapText("+--- " + box.caption);
  for (const char* line = box.text.c_str(); *line != '\0';) {
    const char* end = line;
    while (*end != '\0' && *end != '\n') ++end;
    area += WrapText("| " + std::string(line, end));
    line = *end == '\n' ? end + 1 : end;
  }
  return area + "+---\n";
}

}  // namespace

IUILayoutEngine* OpenProxyDialog(const Run& run) {
  IUILayoutEngine* dialog = run.setup.testbed->FindEngineByWindow(kProxyDialogWindow);
  return dialog != nullptr && run.setup.testbed->InModalRun(dialog) ? dialog : nullptr;
}

TerminalFrame TakeFrame(const Run& run) {
  TerminalFrame frame;
  frame.heading = "OrvLauncher: " + run.setup.scenario_name + " - " + run.setup.scenario_title;
  IUILayoutEngine* dialog = OpenProxyDialog(run);
  if (run.terminal.show_log) {
    frame.area = LogArea(run);
  } else if (dialog != nullptr) {
    // A modal dialog covers the window: only the dialog is drawn then, so that both fit 80x24.
    frame.area = std::string("(the update window is behind the proxy dialog)\n") +
                 run.setup.testbed->Render(dialog);
  } else {
    frame.area = DrawScreen(run.setup.testbed, run.setup.window);
  }
  frame.box = run.terminal.box;
  frame.field = run.terminal.field;
  frame.keys = Keys(run, dialog);
  frame.status = Status(run);
  frame.recent_statistics = RecentStatistics(run);
  frame.proxy_note = run.terminal.proxy_note;
  frame.notice = run.terminal.notice;
  return frame;
}

std::string DrawFrame(const TerminalFrame& frame) {
  std::string screen = WrapText(frame.heading) + WrapText(frame.area);
  if (frame.box.open) screen += MessageBoxArea(frame.box);
  if (frame.field.open) {
    const OpenField& field = frame.field;
    screen += WrapText("typing " + field.label + ": " +
                       (field.masked ? std::string(field.text.size(), '*') : field.text) + "_");
  }
  screen += WrapItems(frame.keys) + "\n" + WrapItems(frame.status) + "\n";
  if (!frame.recent_statistics.empty()) {
    std::vector<std::string> items = frame.recent_statistics;
    items.front() = "reported: " + items.front();
    for (size_t i = 0; i + 1 < items.size(); ++i) items[i] += ";";
    screen += WrapItems(items) + "\n";
  }
  if (!frame.proxy_note.empty()) screen += WrapText(frame.proxy_note);
  if (!frame.notice.empty()) screen += WrapText(frame.notice);
  return screen;
}

}  // namespace orv::launcher
