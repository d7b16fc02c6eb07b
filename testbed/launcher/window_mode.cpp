#include "testbed/launcher/window_mode.h"

#include <cstdio>

#include "platform/native_window.h"
#include "testbed/launcher/screen_texts.h"
#include "testbed/launcher/terminal_mode.h"

namespace orv::launcher {
namespace {

// How often the loop's due tasks run while the system's message box holds the thread.
constexpr int kTickMs = 15;
// How long the idle handler waits for a message: short enough that due steps are not late.
constexpr int kIdleWaitMs = 10;

bool OnScreen(Run* run, IUILayoutEngine* engine, const char* control) {
  testbed::ControlState state{};
  return engine != nullptr && run->setup.testbed->GetControlState(engine, control, &state) &&
         state.on_screen;
}

// A picture of the windows, and of the message box over them, as <folder>/0007_<view>.bmp.
void SavePicture(Run* run, const std::string& view) {
  if (run->setup.screenshot_folder.empty()) return;
  run->setup.testbed->PumpWindows(0);  // what the windows were told to draw, drawn
  char number[16];
  std::snprintf(number, sizeof number, "%04d", ++run->pictures.saved);
  const std::string path = run->setup.screenshot_folder + "/" + number + "_" + view + ".bmp";
  if (!run->setup.testbed->SaveWindowsPicture(path.c_str())) {
    std::fprintf(stderr, "OrvLauncher: could not save the picture %s\n", path.c_str());
  }
}

}  // namespace

std::string ViewName(Run* run) {
  IUILayoutEngine* dialog = run->setup.testbed->FindEngineByWindow(kProxyDialogWindow);
  if (dialog != nullptr && run->setup.testbed->InModalRun(dialog)) return "proxy";
  if (OnScreen(run, run->setup.testbed->FindEngineByWindow("Dlg_Connecting"), "Dlg_Connecting"))
    return "connecting";
  if (!OnScreen(run, run->setup.window, "C2_Container")) return "window";
  if (OnScreen(run, run->setup.window, "C2_Button_StartGame")) return "startgame";
  if (OnScreen(run, run->setup.window, "C2_Static_UpdateFail")) return "error";
  if (OnScreen(run, run->setup.window, "C2_Button_Retry")) return "retry";
  if (OnScreen(run, run->setup.window, "C2_Static_Installing") ||
      OnScreen(run, run->setup.window, "C2_Static_UpdateSuccess")) {
    return "install";
  }
  if (OnScreen(run, run->setup.window, "Update_Container")) return "download";
  return "window";
}

void SavePictureIfNew(Run* run) {
  if (run->setup.screenshot_folder.empty()) return;
  const std::string frame = DrawScreen(run->setup.testbed, run->setup.window);
  if (frame == run->pictures.last_frame) return;
  run->pictures.last_frame = frame;
  SavePicture(run, ViewName(run));
}

bool PumpWindowMessages(void* context) {
  auto* run = static_cast<Run*>(context);
  SavePictureIfNew(run);
  run->setup.testbed->PumpWindows(kIdleWaitMs);
  if (!run->quit && run->setup.testbed->CloseRequested(run->setup.window)) Quit(run);
  return true;
}

int AnswerInWindow(void* context, const char* caption, const char* text, std::uint32_t style) {
  auto* run = static_cast<Run*>(context);
  if (run->quit) return AnswerOnQuit(style & 0xF);
  // A batch run gives the script's answer (0: the box's default button) on the box itself,
  // once it is pictured; its clock stands meanwhile, as without pictures.
  const std::vector<int>& answers = run->setup.script.answers;
  const int scripted =
      run->batch.answers_given < answers.size() ? answers[run->batch.answers_given++] : 0;
  // The box runs its own message loop: the testbed's loop goes on from a timer meanwhile, so
  // the scenario's steps keep arriving under the box.
  static int open_boxes = 0;
  static bool pictured = false;
  pictured = false;
  if (open_boxes++ == 0) {
    platform::SetNativeTicker(kTickMs, [run, scripted] {
      platform::NativeHandle box = platform::OpenNativeMessageBox();
      if (box != nullptr && !pictured) {
        pictured = true;
        SavePicture(run, "messagebox");
      }
      if (!run->setup.interactive) {
        platform::AnswerNativeMessageBox(box, scripted);
        return;
      }
      run->setup.testbed->RunDueTasks();
      SavePictureIfNew(run);
    });
  }
  const int answer =
      platform::ShowNativeMessageBox(run->setup.testbed->ScreenWindow(run->setup.window),
                                     MarkupToText(text ? text : ""), caption ? caption : "", style);
  if (--open_boxes == 0) platform::SetNativeTicker(0, nullptr);
  return answer;
}

}  // namespace orv::launcher
