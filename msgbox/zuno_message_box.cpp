#include "msgbox/zuno_message_box.h"

#include <cstring>

#include "framework/bounded_string.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/runtime/orvex_ptr.h"
#include "platform/debug_output.h"

namespace orv {

int ZunoMessageBoxImpl(platform::WindowHandle owner, const char* text, const char* caption,
                       std::uint32_t style) {
  int result = 0;
  TOrvexFixedPtr<IMessageBox, kMessageBoxId, true, FactoryRoute::kLoadedFirst> box(nullptr);
  if (box.get() == nullptr || text == nullptr) return result;

  platform::WriteDebugOutput("ZunoMessageBoxImpl : ");
  platform::WriteDebugOutput(text);
  platform::WriteDebugOutput("\n");

  // Each line-break replacement is made only while its result fits; a text that is too long
  // from the start leaves `converted` empty and the box shows an empty message.
  char converted[kMessageSize] = {};
  ReplaceAll(text, "\n", "<br>", converted, sizeof converted);

  // A text with "<font>" or "</a>" anywhere is taken as marked up already.
  if (std::strstr(converted, "<font>") != nullptr || std::strstr(converted, "</a>") != nullptr) {
    result = box->ShowMessage(owner, converted, caption, style);
  } else {
    char wrapped[kMessageSize] = {};
    FormatAll(wrapped, sizeof wrapped, "<font>%s</font>", converted);
    result = box->ShowMessage(owner, wrapped, caption, style);
  }
  return result;
}

}  // namespace orv
