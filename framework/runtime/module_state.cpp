#include "framework/runtime/module_state.h"

namespace orv {
namespace {

ModuleState g_state;  // zero-initialised before any code of the module runs

}  // namespace

ModuleState& Module() { return g_state; }

void InitializeModuleLock() {
  if (g_state.lock_initialized != 0) return;
  g_state.lock.Initialize();
  g_state.lock_initialized = 1;
  g_state.dll_safe = 1;
}

void DestroyModuleLock() {
  if (g_state.lock_initialized == 0) return;
  g_state.lock.Destroy();
  g_state.lock_initialized = 0;
}

void LockModule() {
  InitializeModuleLock();
  g_state.lock.Enter();
}

void UnlockModule() { g_state.lock.Leave(); }

}  // namespace orv
