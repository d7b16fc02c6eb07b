// What a process holds that a module's load and unload may leave behind, counted from
// inside the process.
#pragma once

namespace orv::msvc_abi {

struct Footprint {
  int tls_slots;    // free thread-local storage slots
  int handles;      // open handles
  int heap_blocks;  // busy blocks in all heaps
  int threads;      // threads of this process
};

// Free slots, counted honestly: taken until the system refuses, then all given back.
int FreeTlsSlots();
Footprint MeasureFootprint();

}  // namespace orv::msvc_abi
