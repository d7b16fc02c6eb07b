#include "testbed/launcher/terminal_mode.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/file_read.h"
#include "platform/text_encoding.h"
#include "testbed/launcher/screen_texts.h"
#include "testbed/launcher/terminal_frame.h"

namespace orv::launcher {
namespace {

enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// The proxy test's state: "testing…" while one runs, then the box the module showed and why
// the test failed. Cleared when a new test starts and when the dialog closes.
void TrackProxyTest(Run* run, const std::string& fresh_debug_lines) {
  const bool dialog_open = OpenProxyDialog(*run) != nullptr;
  if (run->terminal.proxy_dialog_open && !dialog_open) run->terminal.proxy_note.clear();
  run->terminal.proxy_dialog_open = dialog_open;
  int started = 0;
  bool running = false;
  int outcome = 0;
  run->setup.testbed->NewestProxyTest(&started, &running, &outcome);
  if (started != run->terminal.proxy_tests_seen) {
    run->terminal.proxy_tests_seen = started;
    run->terminal.proxy_note = "proxy test: testing…";
  }
  const size_t box = fresh_debug_lines.rfind("[MessageBox] ");
  if (box != std::string::npos && dialog_open) {
    // "[MessageBox] caption | text": the text is what the person reads.
    std::string line =
        fresh_debug_lines.substr(box + 13, fresh_debug_lines.find('\n', box) - box - 13);
    if (line.find(" | ") != std::string::npos) line.erase(0, line.find(" | ") + 3);
    run->terminal.proxy_note = "proxy test: " + MarkupToText(platform::GbkToUtf8(line));
    if (started > 0 && !running && outcome != 0)
      run->terminal.proxy_note += "\n  why: " + ProxyTestReason(outcome);
  }
}

void AnswerBox(Run* run, int key) {
  const unsigned b = run->terminal.box.buttons;
  const bool enter = key == '\n' || key == '\r';
  const bool second = run->terminal.box.second_default;
  if (HasYesNo(b) && (key == 'y' || (enter && !second)))
    run->terminal.box.answer = kIdYes;
  else if (HasYesNo(b) && (key == 'n' || (enter && second)))
    run->terminal.box.answer = kIdNo;
  else if (b == kBoxOkCancel && enter && second)
    run->terminal.box.answer = kIdCancel;
  else if (!HasYesNo(b) && (key == 'o' || enter))
    run->terminal.box.answer = kIdOk;
  else if (HasCancel(b) && key == 'x')
    run->terminal.box.answer = kIdCancel;
}

void TypeIntoField(Run* run, int key) {
  OpenField& field = run->terminal.field;
  if (key == 27) {
    field = OpenField{};
    return;
  }
  if (key == '\n' || key == '\r') {
    IUILayoutEngine* dialog = OpenProxyDialog(*run);
    if (platform::Utf8ToGbk(field.text).size() > field.limit) {
      run->terminal.notice = field.label + ": too long, the setting keeps at most " +
                             std::to_string(field.limit) + " characters; nothing was typed";
    } else if (dialog == nullptr ||
               !run->setup.testbed->TypeText(dialog, field.control, field.text.c_str())) {
      run->terminal.notice = field.label + ": the field does not take text now";
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
  if (key >= '0' && key <= '2')
    run->setup.testbed->SelectComboItem(dialog, "Dlg_Type_Combo", key - '0');
  for (const auto& field : kFields) {
    if (key == field.key)
      run->terminal.field =
          OpenField{true, field.control, field.label, field.key == 'w', field.limit, ""};
  }
  for (const Key& k : kDialogKeys) {
    if (key != k.key) continue;
    if (key == 'e') run->terminal.proxy_note.clear();  // a new test: the last one's word goes
    run->setup.testbed->Click(dialog, k.control);
  }
}

void ChangeSpeed(Run* run, double factor) {
  run->terminal.speed = std::min(100.0, std::max(0.05, run->terminal.speed * factor));
  run->setup.testbed->SetRealTime(run->terminal.speed);
}

}  // namespace

int AnswerOnQuit(unsigned buttons) {
  return HasYesNo(buttons) && buttons != kBoxYesNoCancel ? kIdNo
         : buttons == kBoxOk                             ? kIdOk
                                                         : kIdCancel;
}

void Quit(Run* run) {
  run->quit = true;
  if (run->terminal.box.open) {
    run->terminal.box.answer = AnswerOnQuit(run->terminal.box.buttons);
  }
  // The dialog's own way out ends its modal run; the outer runs then see `quit`.
  if (IUILayoutEngine* dialog = OpenProxyDialog(*run)) {
    if (!run->setup.testbed->Click(dialog, "Dlg_ProxySetting_Cancel_Btn"))
      run->setup.testbed->Click(dialog, "Dlg_Close_Btn");
  }
  run->terminal.field = OpenField{};
}

void DrawInteractive(Run* run) {
  TrackProxyTest(run, run->TakeModuleLines());
  const std::string screen = DrawFrame(TakeFrame(*run));
  if (screen == run->terminal.last_screen) return;
  // Drawn over the last screen line by line (each line's rest erased, then everything below),
  // so that the terminal never shows a blank screen between two frames.
  std::string out = "\x1b[H";
  for (size_t start = 0, end; (end = screen.find('\n', start)) != std::string::npos;
       start = end + 1)
    out += screen.substr(start, end - start) + "\x1b[K\r\n";
  out += "\x1b[J";
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  run->terminal.last_screen = screen;
}

bool ReadKeys(void* context) {
  auto* run = static_cast<Run*>(context);
  DrawInteractive(run);
  const int key = run->terminal.keys->Read(50);
  if (key < 0) return true;
  run->terminal.notice.clear();
  if (run->terminal.field.open) {
    TypeIntoField(run, key);
    return true;
  }
  if (key == 'q') {
    Quit(run);
    return true;
  }
  if (run->terminal.box.open) {
    AnswerBox(run, key);
    return true;
  }
  if (key == ' ') {
    run->terminal.paused = !run->terminal.paused;
    run->setup.testbed->SetPaused(run->terminal.paused);
  } else if (key == '+') {
    ChangeSpeed(run, 2);
  } else if (key == '-') {
    ChangeSpeed(run, 0.5);
  } else if (key == 'l') {
    run->terminal.show_log = !run->terminal.show_log;
  } else if (IUILayoutEngine* dialog = OpenProxyDialog(*run)) {
    DialogKey(run, dialog, key);
  } else if (key == 'g' && CanPlayCurrent(*run)) {
    run->played_current = true;
  } else {
    for (const Key& k : kWindowKeys) {
      if (key == k.key) run->setup.testbed->Click(run->setup.window, k.control);
    }
  }
  return true;
}

int AnswerAtConsole(void* context, const char* caption, const char* text, std::uint32_t style) {
  auto* run = static_cast<Run*>(context);
  if (run->quit) return AnswerOnQuit(style & 0xF);
  const OpenMessageBox outer = run->terminal.box;  // a box may open while another waits
  run->terminal.box =
      OpenMessageBox{true,        caption ? caption : "", MarkupToText(text ? text : ""),
                     style & 0xF, (style & 0x100) != 0,   -1};
  run->setup.testbed->RunUntil(
      [](void* c) {
        auto* r = static_cast<Run*>(c);
        DrawInteractive(r);
        return r->terminal.box.answer >= 0;
      },
      run);
  const int answer = run->terminal.box.answer >= 0 ? run->terminal.box.answer : kIdCancel;
  run->terminal.box = outer;
  return answer;
}

}  // namespace orv::launcher
