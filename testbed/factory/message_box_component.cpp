#include "testbed/factory/message_box_component.h"

#include <deque>
#include <mutex>
#include <string>

#include "platform/text_encoding.h"
#include "testbed/common/call_journal.h"

namespace orv::testbed {
namespace {

std::mutex g_mutex;
std::deque<int> g_answers;
MessageBoxResponder g_responder = nullptr;
void* g_responder_context = nullptr;

int NextAnswer(const char* caption, const char* markup, std::uint32_t style) {
  MessageBoxResponder responder = nullptr;
  void* context = nullptr;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    if (!g_answers.empty()) {
      const int answer = g_answers.front();
      g_answers.pop_front();
      return answer;
    }
    responder = g_responder;
    context = g_responder_context;
  }
  if (responder == nullptr) return DefaultAnswer(style);
  return responder(context, platform::GbkToUtf8(caption ? caption : "").c_str(),
                   platform::GbkToUtf8(markup ? markup : "").c_str(), style);
}

}  // namespace

void PushMessageBoxAnswer(int answer) {
  std::lock_guard<std::mutex> hold(g_mutex);
  g_answers.push_back(answer);
}

void SetMessageBoxResponder(MessageBoxResponder responder, void* context) {
  std::lock_guard<std::mutex> hold(g_mutex);
  g_responder = responder;
  g_responder_context = context;
}

int DefaultAnswer(std::uint32_t style) {
  constexpr std::uint32_t kSecondButtonDefault = 0x100;  // MB_DEFBUTTON2
  const bool second = (style & kSecondButtonDefault) != 0;
  switch (style & 0xF) {
    case 1:  // OK, Cancel
      return second ? kAnswerCancel : kAnswerOk;
    case 3:  // Yes, No, Cancel
    case 4:  // Yes, No
      return second ? kAnswerNo : kAnswerYes;
    default: return kAnswerOk;
  }
}

int MessageBoxComponent::ShowMessage(platform::WindowHandle owner, const char* markup,
                                     const char* caption, std::uint32_t style) {
  const int answer = NextAnswer(caption, markup, style);
  Journal().Record("MessageBox.ShowMessage(" +
                   std::to_string(reinterpret_cast<std::uintptr_t>(owner)) + "," +
                   platform::GbkToUtf8(caption ? caption : "") + "," + std::to_string(style) + "," +
                   platform::GbkToUtf8(markup ? markup : "") + ") -> " + std::to_string(answer));
  return answer;
}

}  // namespace orv::testbed
