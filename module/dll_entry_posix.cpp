// The POSIX stand-in for DllMain: a static object constructed when the shared object is
// loaded and destroyed when it is unloaded (dlclose) or the process exits.
//
// Static destructors run in the reverse order of construction. The live-component map is
// constructed here first, so the detach handling below (the leak report) always runs before
// the map is destroyed, both at dlclose and at exit.
#include "module/live_components.h"
#include "module/module_entry.h"
#include "platform/module_handle.h"

namespace {

class ProcessAttachment {
 public:
  ProcessAttachment() {
    orv::LiveComponents();
    orv::OnProcessAttach(orv::platform::ModuleContaining(reinterpret_cast<const void*>(&Anchor)));
  }
  ~ProcessAttachment() { orv::OnProcessDetach(); }

 private:
  static void Anchor() {}
};

ProcessAttachment g_attachment;

}  // namespace
