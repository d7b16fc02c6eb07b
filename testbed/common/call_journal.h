// What the modules asked of the testbed's factory and its components, one line per call, so
// that tests and the launcher can show and check the calls rather than guess them.
#pragma once

#include <mutex>
#include <string>

namespace orv::testbed {

class CallJournal {
 public:
  void Record(const std::string& line);
  // The whole journal, one line per call, each ending with '\n'.
  std::string Text() const;
  // The same as a C string, valid until the next call of Snapshot or Clear.
  const char* Snapshot();
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::string text_;
  std::string snapshot_;
};

CallJournal& Journal();

}  // namespace orv::testbed
