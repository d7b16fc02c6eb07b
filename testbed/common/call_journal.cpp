#include "testbed/common/call_journal.h"

namespace orv::testbed {

void CallJournal::Record(const std::string& line) {
  std::lock_guard<std::mutex> hold(mutex_);
  text_ += line;
  text_ += '\n';
}

std::string CallJournal::Text() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return text_;
}

const char* CallJournal::Snapshot() {
  std::lock_guard<std::mutex> hold(mutex_);
  snapshot_ = text_;
  return snapshot_.c_str();
}

void CallJournal::Clear() {
  std::lock_guard<std::mutex> hold(mutex_);
  text_.clear();
}

CallJournal& Journal() {
  static CallJournal journal;
  return journal;
}

}  // namespace orv::testbed
