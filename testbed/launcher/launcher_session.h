// What the launcher holds of the framework and the module, from loading the factory DLL to
// unloading the update module: it obtains the update window (component 1374) through the
// factory as a launcher does and lets go of all of it, on every way out, in the order a
// launcher does before it unloads modules.
#pragma once

#include <memory>
#include <string>

#include "framework/interfaces/update_logic_interface.h"
#include "platform/module_handle.h"
#include "testbed/launcher/launcher_host.h"
#include "testbed/launcher/launcher_run.h"

namespace orv::launcher {

class Session {
 public:
  explicit Session(Run* run) : run_(run) {}
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Loads the factory DLL `dll` (named by `ini`), checks the layouts, gives the update window
  // a launcher's window, its host (keeping the proxy record in `proxy_file`) and listener, and
  // fills the run's set-up. False, with a one-line reason, when any of it fails.
  bool Open(const std::string& ini, const std::string& dll, const std::string& proxy_file,
            std::string* error);

  IUpdateLogic* update() const { return update_; }

  // Lets go of the window and unloads the module; the factory DLL stays until the end, since
  // the testbed's record of the run lives there. Answers whether the module reported leaks.
  bool Release();

 private:
  Run* run_;
  platform::ModuleHandle framework_ = nullptr;
  std::unique_ptr<LauncherHost> host_;
  IUpdateLogic* update_ = nullptr;
  bool released_ = false;
};

}  // namespace orv::launcher
