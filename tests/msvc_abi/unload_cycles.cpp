// Loads and unloads the module many times in one process, as a framework that unloads idle
// modules does over weeks, and checks that the cycles leave nothing behind: thread-local
// storage slots, handles, heap blocks and threads are what they were, and the module still
// works afterwards.
#include "testbed/msvc_abi/process_footprint.h"
#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"

namespace orv::msvc_abi {

void RunUnloadCycles(const char* module_path, int cycles) {
  // The first load brings in what stays once loaded (the system DLLs the module imports).
  LoadedModule module;
  if (!Loaded(module_path, &module)) return;
  FreeLibrary(module.handle);
  Footprint before = MeasureFootprint();
  for (int i = 1; i <= cycles; ++i) {
    void* handle = LoadLibraryA(module.path);
    if (!CheckEqual("LoadLibrary succeeds in every cycle", 1, handle != nullptr)) return;
    FreeLibrary(handle);
    // A leaking runtime ends the process without a word once the slots run out (about 1,090
    // loads under Wine): checked on the way, the failure names what leaked.
    if (i % 250 == 0 && !CheckEqual("free thread-local storage slots after 250 cycles",
                                    before.tls_slots, FreeTlsSlots())) {
      return;
    }
  }
  Footprint after = MeasureFootprint();
  CheckEqual("free thread-local storage slots after the cycles", before.tls_slots, after.tls_slots);
  CheckEqual("process handles after the cycles", before.handles, after.handles);
  CheckEqual("busy heap blocks after the cycles", before.heap_blocks, after.heap_blocks);
  CheckEqual("threads after the cycles", before.threads, after.threads);
  // Still works: the list, a component created and released, and the module idle again.
  if (!Loaded(module_path, &module)) return;
  if (IComponent* window = CreateUpdateWindow(module)) window->Release(0);
  CheckEqual("OrvexDllCanUnloadNow after the last release", 1, module.can_unload());
  FreeLibrary(module.handle);
  char line[200] = "unload cycles: ";
  AppendNumber(line, sizeof line, cycles);
  const int values[] = {after.tls_slots, after.handles, after.heap_blocks, after.threads};
  const char* names[] = {", free TLS slots ", ", handles ", ", busy heap blocks ", ", threads "};
  for (int i = 0; i < 4; ++i)
    Append(line, sizeof line, names[i]), AppendNumber(line, 200, values[i]);
  Print(line), Print("\n");
}

}  // namespace orv::msvc_abi
