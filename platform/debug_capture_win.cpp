#include <windows.h>

#include <mutex>
#include <string>

#include "platform/debug_capture.h"

namespace orv::platform {
namespace {

// OutputDebugStringA raises this exception with the text's length (terminator included) and
// address as its two arguments; a vectored handler sees it before any debugger would.
constexpr DWORD kDebugPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C

std::mutex g_mutex;
std::string g_text;

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode != kDebugPrintException || record->NumberParameters < 2) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  const auto length = static_cast<size_t>(record->ExceptionInformation[0]);
  const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
  if (text != nullptr && length > 0) {
    std::lock_guard<std::mutex> hold(g_mutex);
    g_text.append(text, length - 1);
  }
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

DebugCapture::DebugCapture() : state_(AddVectoredExceptionHandler(1, OnException)) {
  std::lock_guard<std::mutex> hold(g_mutex);
  g_text.clear();
}

DebugCapture::~DebugCapture() {
  if (state_ != nullptr) RemoveVectoredExceptionHandler(state_);
}

std::string DebugCapture::Take() {
  std::lock_guard<std::mutex> hold(g_mutex);
  std::string text;
  text.swap(g_text);
  return text;
}

}  // namespace orv::platform
