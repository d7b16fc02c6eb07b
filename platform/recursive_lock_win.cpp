#include <windows.h>

#include "platform/recursive_lock.h"

namespace orv::platform {
namespace {

CRITICAL_SECTION* Section(NativeLock* lock) { return reinterpret_cast<CRITICAL_SECTION*>(lock); }

}  // namespace

static_assert(sizeof(CRITICAL_SECTION) <= 64, "the lock storage must hold a CRITICAL_SECTION");

// Critical sections are re-entrant for the owning thread by design.
void RecursiveLock::Initialize() { InitializeCriticalSection(Section(native())); }
void RecursiveLock::Destroy() { DeleteCriticalSection(Section(native())); }
void RecursiveLock::Enter() { EnterCriticalSection(Section(native())); }
void RecursiveLock::Leave() { LeaveCriticalSection(Section(native())); }

void EnterNativeLock(NativeLock* lock) {
  if (lock != nullptr) EnterCriticalSection(Section(lock));
}

void LeaveNativeLock(NativeLock* lock) {
  if (lock != nullptr) LeaveCriticalSection(Section(lock));
}

}  // namespace orv::platform
