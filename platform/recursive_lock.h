// A re-entrant lock whose lifetime is managed by hand (Initialize / Destroy) rather than by a
// constructor: it lives in zero-initialised static memory, is usable before static
// constructors have run, and can be destroyed and created again when a module is detached.
//
// The storage holds the native object itself (CRITICAL_SECTION on Windows, a recursive
// pthread_mutex_t on POSIX), so `native()` can be handed to code in other modules that
// expects a pointer to that native lock.
#pragma once

namespace orv::platform {

struct NativeLock;  // CRITICAL_SECTION or pthread_mutex_t, never defined outside platform/

class RecursiveLock {
 public:
  void Initialize();
  void Destroy();
  void Enter();
  void Leave();
  NativeLock* native() { return reinterpret_cast<NativeLock*>(storage_); }

 private:
  alignas(16) unsigned char storage_[64];
};

// Enter / leave a native lock that someone else owns (for example one a factory hands out).
void EnterNativeLock(NativeLock* lock);
void LeaveNativeLock(NativeLock* lock);

}  // namespace orv::platform
