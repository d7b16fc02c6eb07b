#include "testbed/msvc_abi/process_footprint.h"

#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {
namespace {

// Each possible value asked for its flags: Wine answers GetProcessHandleCount with 0.
int HandleCount() {
  int count = 0;
  std::uint32_t flags = 0;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
    count += GetHandleInformation(reinterpret_cast<void*>(value), &flags) != 0;
  }
  return count;
}

// PROCESS_HEAP_ENTRY walked in every heap; flag 4 is PROCESS_HEAP_ENTRY_BUSY. Its closing
// union is laid out as its region member, the larger on x64 (two pointers): HeapWalk writes
// 28 bytes on x86 and 40 on x64.
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
      std::uint32_t committed, uncommitted;
      void *first_block, *last_block;
    } entry = {};
    static_assert(sizeof entry == (sizeof(void*) == 8 ? 40 : 28));
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

}  // namespace

int FreeTlsSlots() {
  static std::uint32_t taken[4096];
  int count = 0;
  while (count < 4096 && (taken[count] = TlsAlloc()) != 0xFFFFFFFFu) ++count;
  for (int i = 0; i < count; ++i) TlsFree(taken[i]);
  return count;
}

Footprint MeasureFootprint() {
  return {FreeTlsSlots(), HandleCount(), BusyHeapBlocks(), ThreadCount()};
}

}  // namespace orv::msvc_abi
