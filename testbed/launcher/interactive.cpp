#include "testbed/launcher/interactive.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "platform/file_read.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/console.h"

namespace orv::launcher {
namespace {

enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };
enum : unsigned { kOk = 0, kOkCancel = 1, kYesNoCancel = 3, kYesNo = 4 };

bool HasYesNo(unsigned buttons) { return buttons == kYesNo || buttons == kYesNoCancel; }

IUILayoutEngine* OpenDialog(Run* run) {
  IUILayoutEngine* dialog = run->testbed->FindEngineByWindow(kProxyDialogWindow);
  return dialog != nullptr && run->testbed->InModalRun(dialog) ? dialog : nullptr;
}

std::string Lines(const std::string& text, size_t last) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, kScreenWidth));
  std::string out;
  for (size_t i = lines.size() > last ? lines.size() - last : 0; i < lines.size(); ++i)
    out += lines[i] + "\n";
  return out;
}

// The newest statistics, by name, as fits one line.
std::string StatisticsLine(Run* run) {
  const auto& stats = run->host->stats();
  std::vector<std::string> names;
  for (auto stat = stats.rbegin(); stat != stats.rend() && names.size() < 3; ++stat) {
    const std::string name = StatisticText(stat->first, stat->second);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::string line = "reported:";
  for (auto name = names.rbegin(); name != names.rend(); ++name)
    line += (name == names.rbegin() ? " " : "; ") + *name;
  return names.empty() ? std::string() : line.substr(0, kScreenWidth) + "\n";
}

// The proxy test's state: "testing…" while one runs, then the box the module showed and why
// the test failed. Cleared when a new test starts and when the dialog closes.
void TrackProxyTest(Run* run, const std::string& fresh_debug_lines) {
  const bool dialog_open = OpenDialog(run) != nullptr;
  if (run->proxy_dialog_open && !dialog_open) run->proxy_note.clear();
  run->proxy_dialog_open = dialog_open;
  int started = 0;
  bool running = false;
  int outcome = 0;
  run->testbed->NewestProxyTest(&started, &running, &outcome);
  if (started != run->proxy_tests_seen) {
    run->proxy_tests_seen = started;
    run->proxy_note = "proxy test: testing…";
  }
  const size_t box = fresh_debug_lines.rfind("[MessageBox] ");
  if (box != std::string::npos && dialog_open) {
    // "[MessageBox] caption | text": the text is what the person reads.
    std::string line =
        fresh_debug_lines.substr(box + 13, fresh_debug_lines.find('\n', box) - box - 13);
    if (line.find(" | ") != std::string::npos) line.erase(0, line.find(" | ") + 3);
    run->proxy_note = "proxy test: " + MarkupToText(platform::GbkToUtf8(line));
    if (started > 0 && !running && outcome != 0)
      run->proxy_note += "\n  why: " + ProxyTestReason(outcome);
  }
}

std::string KeysLine(Run* run) {
  if (run->field.open)
    return "typing " + run->field.label + ": [Enter] done  [Esc] drop the text\n";
  if (run->box.open) {
    const unsigned b = run->box.buttons;
    std::vector<std::string> keys;
    if (HasYesNo(b))
      keys = {"[y] Yes", "[n] No"};
    else
      keys = {"[o] OK"};
    if (b == kOkCancel || b == kYesNoCancel) keys.push_back("[x] Cancel");
    keys.push_back("[q] quit");
    return WrapItems(keys) + "\n";
  }
  std::vector<std::string> keys;
  if (IUILayoutEngine* dialog = OpenDialog(run)) {
    keys = {"[0/1/2] type", "[a] address", "[t] port", "[u] user", "[w] password", "[d] domain"};
    for (const std::string& key : LiveKeys(run->testbed, dialog, kDialogKeys)) keys.push_back(key);
  } else {
    keys = LiveKeys(run->testbed, run->window, kWindowKeys);
    if (CanPlayCurrent(run)) keys.push_back("[g] play the current version");
  }
  for (const char* key : {"[space] pause", "[+/-] speed", "[l] log", "[q] quit"})
    keys.push_back(key);
  return WrapItems(keys) + "\n";
}

std::string StatusLine(Run* run) {
  char speed[32];
  std::snprintf(speed, sizeof speed, "%g", run->speed);
  std::string status = "t=" + std::to_string(run->testbed->Now()) + " ms  speed x" + speed;
  if (run->paused) status += "  PAUSED";
  int played = 0;
  int total = 0;
  if (run->testbed->ScenarioProgress(&played, &total)) {
    status += "  step " + std::to_string(played) + "/" + std::to_string(total);
  }
  ProxyEntry used{};
  if (run->testbed->LastUsedProxy(&used)) status += "  engine's proxy: " + ProxyText(used);
  return status.substr(0, kScreenWidth) + "\n";
}

std::string WindowArea(Run* run) {
  if (run->show_log) {
    std::string log;
    platform::ReadWholeFile(run->log_file.c_str(), &log);
    return "-- the module's debugger lines (newest last) --\n" +
           Lines(platform::GbkToUtf8(run->module_lines), 6) + "-- " +
           (run->log_file.empty() ? std::string("no log file configured")
                                  : "log file " + run->log_file) +
           " --\n" + Lines(platform::GbkToUtf8(log), 6);
  }
  // A modal dialog covers the window: only the dialog is drawn then, so that both fit 80x24.
  if (IUILayoutEngine* dialog = OpenDialog(run)) {
    return std::string("(the update window is behind the proxy dialog)\n") +
           run->testbed->Render(dialog);
  }
  return DrawScreen(run->testbed, run->window);
}

std::string MessageBoxArea(const OpenMessageBox& box) {
  std::string area = "+--- " + box.caption + "\n";
  std::istringstream lines(box.text);
  for (std::string line; std::getline(lines, line);) area += "| " + line + "\n";
  return area + "+---\n";
}

void AnswerBox(Run* run, int key) {
  const unsigned b = run->box.buttons;
  const bool enter = key == '\n' || key == '\r';
  const bool second = run->box.second_default;
  if (HasYesNo(b) && (key == 'y' || (enter && !second)))
    run->box.answer = kIdYes;
  else if (HasYesNo(b) && (key == 'n' || (enter && second)))
    run->box.answer = kIdNo;
  else if (b == kOkCancel && enter && second)
    run->box.answer = kIdCancel;
  else if (!HasYesNo(b) && (key == 'o' || enter))
    run->box.answer = kIdOk;
  else if ((b == kOkCancel || b == kYesNoCancel) && key == 'x')
    run->box.answer = kIdCancel;
}

void TypeIntoField(Run* run, int key) {
  OpenField& field = run->field;
  if (key == 27) {
    field = OpenField{};
    return;
  }
  if (key == '\n' || key == '\r') {
    IUILayoutEngine* dialog = OpenDialog(run);
    if (platform::Utf8ToGbk(field.text).size() > field.limit) {
      run->notice = field.label + ": too long, the setting keeps at most " +
                    std::to_string(field.limit) + " characters; nothing was typed";
    } else if (dialog == nullptr ||
               !run->testbed->TypeText(dialog, field.control, field.text.c_str())) {
      run->notice = field.label + ": the field does not take text now";
    }
    field = OpenField{};
    return;
  }
  if (key == 127 || key == 8) {
    while (!field.text.empty() && (static_cast<unsigned char>(field.text.back()) & 0xC0) == 0x80)
      field.text.pop_back();
    if (!field.text.empty()) field.text.pop_back();
    return;
  }
  if (key >= 0x20) field.text.push_back(static_cast<char>(key));
}

void DialogKey(Run* run, IUILayoutEngine* dialog, int key) {
  // What the proxy record keeps of each field (a port has at most five digits): longer
  // input would be cut by the window without a word, so the launcher refuses it.
  static const struct {
    char key;
    const char* control;
    const char* label;
    size_t limit;
  } kFields[] = {{'a', "Dlg_Adress_Edt", "Address", sizeof(ProxyEntry::address) - 1},
                 {'t', "Dlg_Port_Edt", "Port", 5},
                 {'u', "Dlg_User_Edt", "User", sizeof(ProxyEntry::user) - 1},
                 {'w', "Dlg_Pass_Edt", "Password", sizeof(ProxyEntry::password) - 1},
                 {'d', "Dlg_Domain_Edt", "Domain", sizeof(ProxyEntry::domain) - 1}};
  if (key >= '0' && key <= '2') run->testbed->SelectComboItem(dialog, "Dlg_Type_Combo", key - '0');
  for (const auto& field : kFields) {
    if (key == field.key)
      run->field = OpenField{true, field.control, field.label, field.key == 'w', field.limit, ""};
  }
  for (const Key& k : kDialogKeys) {
    if (key != k.key) continue;
    if (key == 'e') run->proxy_note.clear();  // a new test: the last one's word goes
    run->testbed->Click(dialog, k.control);
  }
}

void ChangeSpeed(Run* run, double factor) {
  run->speed = std::min(100.0, std::max(0.05, run->speed * factor));
  run->testbed->SetRealTime(run->speed);
}

}  // namespace

int AnswerOnQuit(unsigned buttons) {
  return HasYesNo(buttons) && buttons != kYesNoCancel ? kIdNo : buttons == kOk ? kIdOk : kIdCancel;
}

void Quit(Run* run) {
  run->quit = true;
  if (run->box.open) {
    run->box.answer = AnswerOnQuit(run->box.buttons);
  }
  // The dialog's own way out ends its modal run; the outer runs then see `quit`.
  if (IUILayoutEngine* dialog = OpenDialog(run)) {
    if (!run->testbed->Click(dialog, "Dlg_ProxySetting_Cancel_Btn"))
      run->testbed->Click(dialog, "Dlg_Close_Btn");
  }
  run->field = OpenField{};
}

void DrawInteractive(Run* run) {
  const std::string fresh = run->capture->Take();
  run->module_lines += fresh;
  TrackProxyTest(run, fresh);
  std::string screen =
      ("OrvLauncher: " + run->scenario_name + " - " + run->scenario_title).substr(0, kScreenWidth) +
      "\n";
  screen += WindowArea(run);
  if (run->box.open) screen += MessageBoxArea(run->box);
  if (run->field.open) {
    screen += run->field.label + ": " +
              (run->field.masked ? std::string(run->field.text.size(), '*') : run->field.text) +
              "_\n";
  }
  screen += KeysLine(run) + StatusLine(run) + StatisticsLine(run);
  if (!run->proxy_note.empty()) screen += run->proxy_note + "\n";
  if (!run->notice.empty()) screen += run->notice + "\n";
  if (screen != run->last_frame) {
    // Drawn over the last screen line by line (each line's rest erased, then everything
    // below), so that the terminal never shows a blank screen between two frames.
    std::string out = "\x1b[H";
    std::istringstream lines(screen);
    for (std::string line; std::getline(lines, line);) out += line + "\x1b[K\r\n";
    out += "\x1b[J";
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    run->last_frame = screen;
  }
}

bool ReadKeys(void* context) {
  auto* run = static_cast<Run*>(context);
  DrawInteractive(run);
  const int key = run->keys->Read(50);
  if (key < 0) return true;
  run->notice.clear();
  if (run->field.open) {
    TypeIntoField(run, key);
    return true;
  }
  if (key == 'q') {
    Quit(run);
    return true;
  }
  if (run->box.open) {
    AnswerBox(run, key);
    return true;
  }
  if (key == ' ') {
    run->paused = !run->paused;
    run->testbed->SetPaused(run->paused);
  } else if (key == '+') {
    ChangeSpeed(run, 2);
  } else if (key == '-') {
    ChangeSpeed(run, 0.5);
  } else if (key == 'l') {
    run->show_log = !run->show_log;
  } else if (IUILayoutEngine* dialog = OpenDialog(run)) {
    DialogKey(run, dialog, key);
  } else if (key == 'g' && CanPlayCurrent(run)) {
    run->played_current = true;
  } else {
    for (const Key& k : kWindowKeys) {
      if (key == k.key) run->testbed->Click(run->window, k.control);
    }
  }
  return true;
}

int AnswerAtConsole(void* context, const char* caption, const char* text, std::uint32_t style) {
  auto* run = static_cast<Run*>(context);
  if (run->quit) return AnswerOnQuit(style & 0xF);
  const OpenMessageBox outer = run->box;  // a box may open while another waits
  run->box = OpenMessageBox{true,        caption ? caption : "", MarkupToText(text ? text : ""),
                            style & 0xF, (style & 0x100) != 0,   -1};
  run->testbed->RunUntil(
      [](void* c) {
        auto* r = static_cast<Run*>(c);
        DrawInteractive(r);
        return r->box.answer >= 0;
      },
      run);
  const int answer = run->box.answer >= 0 ? run->box.answer : kIdCancel;
  run->box = outer;
  return answer;
}

}  // namespace orv::launcher
