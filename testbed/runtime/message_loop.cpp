#include "testbed/runtime/message_loop.h"

#include <chrono>
#include <thread>

namespace orv::testbed {
namespace {

std::uint64_t RealMilliseconds() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

}  // namespace

MessageLoop& MessageLoop::Instance() {
  static MessageLoop loop;
  return loop;
}

void MessageLoop::Post(Task task, std::uint32_t delay_ms) {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  tasks_.emplace(Now() + delay_ms, std::move(task));
}

std::uint64_t MessageLoop::Now() const {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  if (speed_ <= 0 || paused_) return virtual_now_;
  return virtual_now_ +
         static_cast<std::uint64_t>(static_cast<double>(RealMilliseconds() - real_start_) * speed_);
}

bool MessageLoop::HasTasks() const {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  return !tasks_.empty();
}

void MessageLoop::SetRealTime(double speed) {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  virtual_now_ = Now();
  speed_ = speed;
  real_start_ = RealMilliseconds();
}

void MessageLoop::SetPaused(bool paused) {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  if (paused == paused_) return;
  virtual_now_ = Now();
  paused_ = paused;
  real_start_ = RealMilliseconds();
}

void MessageLoop::SetIdleHandler(IdleHandler handler) {
  std::lock_guard<std::recursive_mutex> hold(mutex_);
  idle_ = std::move(handler);
}

// Runs the first task if it is due (in virtual time it always is); false when none ran.
bool MessageLoop::RunOne() {
  Task task;
  {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    if (tasks_.empty()) return false;
    auto first = tasks_.begin();
    if (speed_ <= 0) {
      if (first->first > virtual_now_) virtual_now_ = first->first;
    } else if (first->first > Now()) {
      return false;
    }
    task = std::move(first->second);
    tasks_.erase(first);
  }
  task();
  return true;
}

bool MessageLoop::RunUntil(const std::function<bool()>& done) {
  for (;;) {
    if (done && done()) return true;
    if (RunOne()) continue;
    IdleHandler idle;
    {
      std::lock_guard<std::recursive_mutex> hold(mutex_);
      idle = idle_;
    }
    // Nothing is due: the idle handler may act (a person's key) or wait a little.
    const bool more = idle && idle();
    if (HasTasks()) {
      if (!more) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // real time
      continue;
    }
    if (!more) return done ? done() : true;
  }
}

void MessageLoop::RunDue() {
  while (RunOne()) {
  }
}

void MessageLoop::RunUntilIdle() {
  RunUntil([this] { return !HasTasks(); });
}

}  // namespace orv::testbed
