// The root of every sink interface: slot 0 answers the sink's version.
#pragma once

namespace orv {

class ISink {
 public:
  virtual int GetSinkVersion() = 0;  // slot 0

 protected:
  ~ISink() = default;
};

}  // namespace orv
