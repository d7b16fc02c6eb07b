// The testbed's user-interface thread: one queue of tasks that the launcher (or a test)
// pumps. The update engine's events and the person's clicks are tasks on it, so they reach
// the module on the thread that pumps the loop, never from a thread of their own.
//
// Time is the loop's own: in virtual time (the default, for tests and batch runs) a delayed
// task becomes due as soon as everything before it has run; in real time the loop waits for
// it, scaled by a speed factor.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace orv::testbed {

class MessageLoop {
 public:
  using Task = std::function<void()>;
  // Asked when no task is due: may post tasks (a person's key press, say); false when
  // nothing more will come.
  using IdleHandler = std::function<bool()>;

  static MessageLoop& Instance();

  void Post(Task task, std::uint32_t delay_ms = 0);

  // Runs due tasks, in order, until `done` answers true or nothing more will come (no task
  // left and the idle handler, if any, gives up). Answers `done`'s last answer. Runs may nest
  // (a modal dialog runs the loop from inside a task).
  bool RunUntil(const std::function<bool()>& done);
  // Runs until no task is left.
  void RunUntilIdle();
  // Runs the tasks that are due now (in virtual time: every task), then returns.
  void RunDue();

  // 0: virtual time. Otherwise real time, `speed` times as fast as the delays say.
  void SetRealTime(double speed);
  // In real time: holds the clock (nothing more becomes due) until resumed.
  void SetPaused(bool paused);
  void SetIdleHandler(IdleHandler handler);

  // Milliseconds of loop time.
  std::uint64_t Now() const;
  bool HasTasks() const;

 private:
  bool RunOne();

  mutable std::recursive_mutex mutex_;
  std::multimap<std::uint64_t, Task> tasks_;  // by due time; equal times keep posting order
  std::uint64_t virtual_now_ = 0;
  double speed_ = 0;
  bool paused_ = false;
  std::uint64_t real_start_ = 0;
  IdleHandler idle_;
};

}  // namespace orv::testbed
