// No windows here: the launcher draws its window as text at the terminal instead.
#include "platform/native_window.h"

namespace orv::platform {

bool NativeWindowsAvailable() { return false; }
NativeHandle CreateNativeWindow(const std::string&, const NativeRect&, NativeHandle,
                                NativeInputSink*) {
  return nullptr;
}
NativeHandle CreateNativeControl(NativeHandle, NativeKind, const NativeRect&) { return nullptr; }
void PlaceNativeWindow(NativeHandle, const NativeRect&) {}
void DestroyNative(NativeHandle) {}
void SetNativeText(NativeHandle, const std::string&) {}
std::string NativeText(NativeHandle) { return std::string(); }
void ShowNative(NativeHandle, bool) {}
void EnableNative(NativeHandle, bool) {}
void SetNativeProgress(NativeHandle, int, int, int) {}
void SetNativeItems(NativeHandle, const std::vector<std::string>&) {}
void SetNativeSelection(NativeHandle, int) {}
int NativeSelection(NativeHandle) { return -1; }
NativeRect NativeWindowRect(NativeHandle) { return NativeRect{}; }
NativeRect NativeScreenArea() { return NativeRect{}; }
void SetNativeDefault(NativeHandle, bool) {}
void FocusNative(NativeHandle) {}
NativeHandle FocusedNative() { return nullptr; }
void BringNativeToFront(NativeHandle) {}
void PumpNativeMessages(int) {}
void ClickNative(NativeHandle) {}
void ChooseNative(NativeHandle, int) {}
void TypeNative(NativeHandle, const std::string&) {}
void PressNativeKey(NativeHandle, NativeKey) {}
void SetNativeTicker(int, std::function<void()>) {}
int ShowNativeMessageBox(NativeHandle, const std::string&, const std::string&, std::uint32_t) {
  return 0;
}
NativeHandle OpenNativeMessageBox() { return nullptr; }
void AnswerNativeMessageBox(NativeHandle, int) {}

}  // namespace orv::platform
