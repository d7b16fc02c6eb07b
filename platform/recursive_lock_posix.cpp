#include <pthread.h>

#include "platform/recursive_lock.h"

namespace orv::platform {
namespace {

pthread_mutex_t* Mutex(NativeLock* lock) { return reinterpret_cast<pthread_mutex_t*>(lock); }

}  // namespace

static_assert(sizeof(pthread_mutex_t) <= 64, "the lock storage must hold a pthread_mutex_t");

void RecursiveLock::Initialize() {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(Mutex(native()), &attributes);
  pthread_mutexattr_destroy(&attributes);
}

void RecursiveLock::Destroy() { pthread_mutex_destroy(Mutex(native())); }
void RecursiveLock::Enter() { pthread_mutex_lock(Mutex(native())); }
void RecursiveLock::Leave() { pthread_mutex_unlock(Mutex(native())); }

void EnterNativeLock(NativeLock* lock) {
  if (lock != nullptr) pthread_mutex_lock(Mutex(lock));
}

void LeaveNativeLock(NativeLock* lock) {
  if (lock != nullptr) pthread_mutex_unlock(Mutex(lock));
}

}  // namespace orv::platform
