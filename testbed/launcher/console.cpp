#include "testbed/launcher/console.h"

namespace orv::launcher {

const std::vector<Key> kWindowKeys = {
    {'c', "C2_Button_Cancel", "Cancel"},
    {'r', "C2_Button_Retry", "Retry"},
    {'s', "C2_Button_StartGame", "Start game"},
    {'p', "C2_Button_Proxy", "Proxy"},
};

const std::vector<Key> kDialogKeys = {
    {'e', "Dlg_ProxySetting_Test_Btn", "Test"},
    {'k', "Dlg_ProxySetting_OK_Btn", "OK"},
    {'x', "Dlg_ProxySetting_Cancel_Btn", "Cancel"},
    {'z', "Dlg_Close_Btn", "Close"},
};

std::string DrawScreen(testbed::ITestbedControl* testbed, IUILayoutEngine* window) {
  std::string screen = testbed->Render(window);
  if (screen.empty()) screen = "(the update window is hidden)\n";
  // Then every other window on screen: the connecting dialog, the proxy dialog.
  for (int i = 0; i < testbed->UIEngineCount(); ++i) {
    IUILayoutEngine* other = testbed->UIEngineAt(i);
    if (other != window) screen += testbed->Render(other);
  }
  return screen;
}

std::string KeyLine(testbed::ITestbedControl* testbed, IUILayoutEngine* engine, const std::vector<Key>& keys) {
  std::string line;
  for (const Key& key : keys) {
    testbed::ControlState state{};
    if (testbed->GetControlState(engine, key.control, &state) && state.on_screen && state.enabled) {
      line += std::string("[") + key.key + "] " + key.label + "  ";
    }
  }
  return line;
}

}  // namespace orv::launcher
