// The launcher's screen: the update window (and an open dialog) drawn as text, the keys that
// work at the moment, and a status line.
#pragma once

#include <string>
#include <vector>

#include "testbed/runtime/testbed_control.h"

namespace orv::launcher {

struct Key {
  char key;
  const char* control;
  const char* label;
};

// The keys of the update window's buttons and of the proxy dialog's controls.
extern const std::vector<Key> kWindowKeys;
extern const std::vector<Key> kDialogKeys;

constexpr char kProxyDialogWindow[] = "Dlg_ProxySetting";

// The window as drawn now, followed by the other windows on screen (dialogs).
std::string DrawScreen(testbed::ITestbedControl* testbed, IUILayoutEngine* window);

// The keys whose controls are on screen and enabled now.
std::string KeyLine(testbed::ITestbedControl* testbed, IUILayoutEngine* engine, const std::vector<Key>& keys);

}  // namespace orv::launcher
