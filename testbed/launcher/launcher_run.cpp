#include "testbed/launcher/launcher_run.h"

#include "testbed/launcher/console.h"

namespace orv::launcher {

bool StartGameOffered(Run* run) {
  testbed::ControlState state{};
  return run->testbed->GetControlState(run->window, "C2_Button_StartGame", &state) &&
         state.on_screen && state.enabled;
}

bool CanPlayCurrent(Run* run) {
  int played = 0;
  int total = 0;
  const bool engine_running = run->testbed->ScenarioProgress(&played, &total) && played < total;
  IUILayoutEngine* dialog = run->testbed->FindEngineByWindow(kProxyDialogWindow);
  const bool in_dialog = dialog != nullptr && run->testbed->InModalRun(dialog);
  return run->advised && !run->quit && !engine_running && !in_dialog && !StartGameOffered(run) &&
         !run->host->start_game();
}

}  // namespace orv::launcher
