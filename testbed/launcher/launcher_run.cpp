#include "testbed/launcher/launcher_run.h"

#include "testbed/launcher/screen_texts.h"

namespace orv::launcher {

std::string Run::TakeModuleLines() {
  std::string fresh = setup.capture->Take();
  module_lines += fresh;
  return fresh;
}

bool StartGameOffered(const Run& run) {
  testbed::ControlState state{};
  return run.setup.testbed->GetControlState(run.setup.window, "C2_Button_StartGame", &state) &&
         state.on_screen && state.enabled;
}

bool CanPlayCurrent(const Run& run) {
  testbed::ITestbedControl* testbed = run.setup.testbed;
  int played = 0;
  int total = 0;
  const bool engine_running = testbed->ScenarioProgress(&played, &total) && played < total;
  IUILayoutEngine* dialog = testbed->FindEngineByWindow(kProxyDialogWindow);
  const bool in_dialog = dialog != nullptr && testbed->InModalRun(dialog);
  return run.setup.advised && !run.quit && !engine_running && !in_dialog &&
         !StartGameOffered(run) && !run.setup.host->start_game();
}

}  // namespace orv::launcher
