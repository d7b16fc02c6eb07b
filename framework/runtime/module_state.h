// The module-wide state: one instance per loaded module, zero at load.
//
// Everything here is plain data so that it is ready before any static constructor runs
// (static registration reaches the lock first) and needs no destructor at unload.
#pragma once

#include <cstdint>

#include "framework/bounded_string.h"
#include "platform/module_handle.h"
#include "platform/recursive_lock.h"

namespace orv {

struct ModuleState {
  platform::ModuleHandle module_handle;  // stored by the entry point at process attach
  platform::ModuleHandle
      factory_handle;             // SetFactoryHandle; null: the factory DLL is loaded by path
  std::int32_t dll_safe;          // 0: Release neither closes, destroys nor removes
  char registry_path[kPathSize];  // SetDLLRegistry; empty: the default Orvex.ini
  platform::RecursiveLock lock;   // guards the creator table, the live map, registry_path
  std::int32_t lock_initialized;
};

ModuleState& Module();

// Enter and leave the module lock, initialising it first when needed.
void LockModule();
void UnlockModule();

// Creates the lock when it does not exist yet and then marks the module safe (dll_safe = 1).
void InitializeModuleLock();
// Deletes the lock and marks it uninitialised; a later LockModule creates a fresh one.
void DestroyModuleLock();

class ModuleLockHold {
 public:
  ModuleLockHold() { LockModule(); }
  ~ModuleLockHold() { UnlockModule(); }
  ModuleLockHold(const ModuleLockHold&) = delete;
  ModuleLockHold& operator=(const ModuleLockHold&) = delete;
};

}  // namespace orv
