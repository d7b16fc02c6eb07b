// The framework's message box component (1378) as the testbed plays it. It records what it is
// asked to show, in readable form (the texts arrive in GBK and are recorded in UTF-8), and
// answers with the next scripted answer, or else with the box's default button, as a person
// pressing Enter would.
#pragma once

#include "framework/interfaces/message_box_interface.h"
#include "testbed/common/testbed_component.h"

namespace orv::testbed {

class MessageBoxComponent final : public TestbedComponent<IMessageBox, kMessageBoxId> {
 public:
  int ShowMessage(platform::WindowHandle owner, const char* markup, const char* caption,
                  std::uint32_t style) override;
};

// Queues the answer of the next box that is shown (button ids as the Windows message box has
// them: 1 OK, 2 Cancel, 6 Yes, 7 No).
void PushMessageBoxAnswer(int answer);

// Who answers a box when no answer is queued: a person at the launcher's console, say. It
// gets the caption and the text in UTF-8; null: the default button answers.
using MessageBoxResponder = int (*)(void* context, const char* caption, const char* text,
                                    std::uint32_t style);
void SetMessageBoxResponder(MessageBoxResponder responder, void* context);

// The button a person pressing Enter would choose for a style.
int DefaultAnswer(std::uint32_t style);

}  // namespace orv::testbed
