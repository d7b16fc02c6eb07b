// Loads and unloads the module many times in one process, as a framework that unloads idle
// modules does over weeks, and checks that the cycles leave nothing behind: thread-local
// storage slots, handles, heap blocks and threads are what they were, and the module still
// works afterwards.
#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"
#include "tests/msvc_abi/loaded_module.h"

namespace orv::msvc_abi {
namespace {

// Free slots, counted honestly: taken until the system refuses, then all given back.
int FreeTlsSlots() {
  static std::uint32_t taken[4096];
  int count = 0;
  while (count < 4096 && (taken[count] = TlsAlloc()) != 0xFFFFFFFFu) ++count;
  for (int i = 0; i < count; ++i) TlsFree(taken[i]);
  return count;
}

// Open handles, each asked for its flags: Wine answers GetProcessHandleCount with 0.
int HandleCount() {
  int count = 0;
  std::uint32_t flags = 0;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
    count += GetHandleInformation(reinterpret_cast<void*>(value), &flags) != 0;
  }
  return count;
}

// Busy blocks in all heaps of the process (PROCESS_HEAP_ENTRY, flag PROCESS_HEAP_ENTRY_BUSY).
int BusyHeapBlocks() {
  void* heaps[64];
  std::uint32_t heap_count = GetProcessHeaps(64, heaps);
  int busy = 0;
  for (std::uint32_t i = 0; i < heap_count && i < 64; ++i) {
    struct {
      void* data;
      std::uint32_t size;
      std::uint8_t overhead, region;
      std::uint16_t flags;
      std::uint32_t rest[4];
    } entry = {};
    while (HeapWalk(heaps[i], &entry)) busy += (entry.flags & 4) != 0;
  }
  return busy;
}

int ThreadCount() {
  struct {
    std::uint32_t size, usage, thread_id, process_id;
    std::int32_t base_priority, delta_priority;
    std::uint32_t flags;
  } entry = {sizeof entry, 0, 0, 0, 0, 0, 0};
  void* snapshot = CreateToolhelp32Snapshot(4 /* TH32CS_SNAPTHREAD */, 0);
  int count = 0;
  for (bool more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.process_id == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

struct Field {
  const char* name;
  int value;
};

struct Footprint {
  int tls_slots, handles, heap_blocks, threads;
};

Footprint Measure() { return {FreeTlsSlots(), HandleCount(), BusyHeapBlocks(), ThreadCount()}; }

}  // namespace

void RunUnloadCycles(const char* module_path, int cycles) {
  // The first load brings in what stays once loaded (the system DLLs the module imports).
  LoadedModule module;
  if (!Load(module_path, &module)) return;
  FreeLibrary(module.handle);
  Footprint before = Measure();
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
  Footprint after = Measure();
  CheckEqual("free thread-local storage slots after the cycles", before.tls_slots, after.tls_slots);
  CheckEqual("process handles after the cycles", before.handles, after.handles);
  CheckEqual("busy heap blocks after the cycles", before.heap_blocks, after.heap_blocks);
  CheckEqual("threads after the cycles", before.threads, after.threads);
  // Still works: the list, a component created and released, and the module idle again.
  if (!Load(module_path, &module)) return;
  IComponent* window = CreateUpdateWindow(module);
  if (window != nullptr) window->Release(0);
  CheckEqual("OrvexDllCanUnloadNow after the last release", 1, module.can_unload());
  FreeLibrary(module.handle);
  char line[200] = "unload cycles: ";
  AppendNumber(line, sizeof line, cycles);
  const Field fields[] = {{", free TLS slots ", after.tls_slots},
                          {", handles ", after.handles},
                          {", busy heap blocks ", after.heap_blocks},
                          {", threads ", after.threads}};
  for (const Field& field : fields) {
    Append(line, sizeof line, field.name);
    AppendNumber(line, sizeof line, field.value);
  }
  Append(line, sizeof line, "\n");
  Print(line);
}

}  // namespace orv::msvc_abi
