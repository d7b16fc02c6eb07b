// The framework's message box component (1378), which takes its text in a small HTML-like
// markup ("<br>" line breaks, "<font>" elements).
#pragma once

#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "platform/window.h"

namespace orv {

// Styles and answers as the Windows message box has them.
enum : std::uint32_t {
  kMessageBoxOk = 0,
  kMessageBoxOkCancel = 1,
  kMessageBoxYesNo = 4,
};
enum : int {
  kAnswerOk = 1,
  kAnswerCancel = 2,
  kAnswerYes = 6,
  kAnswerNo = 7,
};

class IMessageBox : public IComponent {
 public:
  // The id of the button that closed the box.
  virtual int ShowMessage(platform::WindowHandle owner, const char* markup, const char* caption,
                          std::uint32_t style) = 0;  // slot 8

 protected:
  ~IMessageBox() = default;
};

}  // namespace orv
