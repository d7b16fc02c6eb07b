// <windows.h> first: the other Windows headers need its types.
#include <windows.h>

#include <commctrl.h>

#include "platform/native_window.h"
#include "platform/wide_text_win.h"

namespace orv::platform {
namespace {

constexpr wchar_t kWindowClass[] = L"OrvTestbedWindow";
constexpr wchar_t kPanelClass[] = L"OrvTestbedPanel";
// A drop-down list's window covers its list too; the layout gives the closed box's height.
constexpr int kComboListHeight = 120;
constexpr LANGID kChineseSimplified = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

std::wstring Wide(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf8(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }

HWND Hwnd(NativeHandle handle) { return static_cast<HWND>(handle); }

COLORREF ColorOf(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Without a font that has the glyphs, Chinese texts are drawn as boxes (Wine has none of its
// own): the first CJK family installed, else the system's default.
HFONT UiFont() {
  static HFONT font = [] {
    const wchar_t* chosen = L"MS Shell Dlg";
    HDC screen = GetDC(nullptr);
    for (const wchar_t* family : {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei"}) {
      LOGFONTW wanted{};
      wanted.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(wanted.lfFaceName, family, LF_FACESIZE);
      bool found = false;
      EnumFontFamiliesExW(screen, &wanted, &NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
      if (found) {
        chosen = family;
        break;
      }
    }
    ReleaseDC(nullptr, screen);
    return CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, chosen);
  }();
  return font;
}

// A window of its own: the launcher's window or a dialog. GetParent cannot tell, as it answers
// a dialog's owner.
bool IsTopLevel(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0; }

NativeInputSink* SinkOf(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  return reinterpret_cast<NativeInputSink*>(GetWindowLongPtrW(root ? root : window, GWLP_USERDATA));
}

bool IsPushButton(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiW(name, L"BUTTON") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool IsUsable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

// Posted by BringNativeToFront: handled once the window is up on the display.
constexpr UINT kBringToFront = WM_APP + 1;

// A top-level window keeps its default button in its extra bytes: the button's style cannot
// hold it, as the system's Tab handling takes the default look from every button it leaves.
constexpr int kDefaultButtonSlot = 0;

// What Enter presses, as a dialog answers DM_GETDEFID: the push button that has the focus,
// else the window's default button while it can be pressed.
LRESULT DefaultId(HWND window) {
  HWND focus = GetFocus();
  HWND pressed = reinterpret_cast<HWND>(GetWindowLongPtrW(window, kDefaultButtonSlot));
  if (focus != nullptr && IsChild(window, focus) && IsPushButton(focus)) pressed = focus;
  if (pressed == nullptr || !IsWindow(pressed) || !IsUsable(pressed)) return 0;
  return MAKELRESULT(GetDlgCtrlID(pressed), DC_HASDEFID);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam == 0 && LOWORD(wparam) == IDCANCEL && IsTopLevel(window)) {
    // Esc, from the dialog keys' handling (IsDialogMessage).
    if (NativeInputSink* sink = SinkOf(window)) sink->OnNativeInput(window, NativeInput::kCancel);
    return 0;
  }
  // Enter without a default button sends IDOK for the focused control, whatever it is.
  if (message == WM_COMMAND && lparam != 0 &&
      LOWORD(wparam) == GetDlgCtrlID(reinterpret_cast<HWND>(lparam))) {
    // Only buttons send code 0 here (statics would need SS_NOTIFY).
    const WORD code = HIWORD(wparam);
    NativeInput input;
    bool known = true;
    if (code == BN_CLICKED)
      input = NativeInput::kClick;
    else if (code == EN_CHANGE)
      input = NativeInput::kEditChanged;
    else if (code == CBN_SELCHANGE)
      input = NativeInput::kComboChanged;
    else
      known = false;
    NativeInputSink* sink = SinkOf(window);
    if (known && sink != nullptr) sink->OnNativeInput(reinterpret_cast<HWND>(lparam), input);
    return 0;
  }
  if (message == DM_GETDEFID && IsTopLevel(window)) return DefaultId(window);
  if (message == kBringToFront) {
    FocusNative(window);
    return 0;
  }
  if (message == WM_CLOSE && IsTopLevel(window)) {
    // The view decides what closing means (a dialog's Close button, the launcher quitting).
    if (NativeInputSink* sink = SinkOf(window)) sink->OnNativeInput(window, NativeInput::kClose);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClasses() {
  static const bool registered = [] {
    // The windows are those of a Chinese system, as the launchers the product serves run on:
    // the system's own words in them (a message box's buttons) are Chinese too.
    SetThreadUILanguage(kChineseSimplified);
    SetThreadLocale(MAKELCID(kChineseSimplified, SORT_DEFAULT));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &WindowProc;
    window_class.cbWndExtra = sizeof(LONG_PTR);  // kDefaultButtonSlot
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);
    window_class.lpszClassName = kPanelClass;
    RegisterClassExW(&window_class);
    return true;
  }();
  (void)registered;
}

// The system's message boxes are dialogs of its own class.
BOOL CALLBACK NoteMessageBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::function<void()> g_tick;
UINT_PTR g_timer = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  static bool ticking = false;  // a tick that opens a modal loop must not run inside itself
  if (ticking || !g_tick) return;
  ticking = true;
  g_tick();
  ticking = false;
}

}  // namespace

bool NativeWindowsAvailable() { return true; }

NativeHandle CreateNativeWindow(const std::string& title, const NativeRect& rect,
                                NativeHandle owner, NativeInputSink* sink) {
  RegisterClasses();
  const DWORD style = (owner ? WS_POPUP : WS_OVERLAPPED | WS_MINIMIZEBOX) | WS_CAPTION |
                      WS_SYSMENU | WS_CLIPCHILDREN;
  // A control parent: Tab walks into the containers' controls too.
  const DWORD ex_style = WS_EX_CONTROLPARENT | (owner ? WS_EX_DLGMODALFRAME : 0);
  RECT outer{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  HWND window = CreateWindowExW(ex_style, kWindowClass, Wide(title).c_str(), style, outer.left,
                                outer.top, outer.right - outer.left, outer.bottom - outer.top,
                                Hwnd(owner), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sink));
  return window;
}

NativeHandle CreateNativeControl(NativeHandle parent, NativeKind kind, const NativeRect& rect) {
  RegisterClasses();
  const wchar_t* window_class = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ex_style = 0;
  int height = rect.height;
  switch (kind) {
    case NativeKind::kPanel:
      window_class = kPanelClass;
      style |= WS_CLIPCHILDREN;
      ex_style = WS_EX_CONTROLPARENT;
      break;
    case NativeKind::kStatic: style |= SS_LEFT | SS_NOPREFIX; break;
    case NativeKind::kButton:
      window_class = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case NativeKind::kProgressBar:
      window_class = PROGRESS_CLASSW;
      style |= PBS_SMOOTH | WS_BORDER;
      break;
    case NativeKind::kPassword: style |= ES_PASSWORD; [[fallthrough]];
    case NativeKind::kEdit:
      window_class = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case NativeKind::kCombo:
      window_class = L"COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      height += kComboListHeight;
      break;
  }
  static int next_id = 100;
  HWND control = CreateWindowExW(
      ex_style, window_class, L"", style, rect.x, rect.y, rect.width, height, Hwnd(parent),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id++)), GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
  if (kind == NativeKind::kProgressBar) {
    SendMessageW(control, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(ColorOf(kProgressBarRgb)));
    SendMessageW(control, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorOf(kProgressTroughRgb)));
  }
  return control;
}

void PlaceNativeWindow(NativeHandle window, const NativeRect& rect) {
  if (window == nullptr) return;
  RECT outer{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(Hwnd(window), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(Hwnd(window), GWL_EXSTYLE)));
  SetWindowPos(Hwnd(window), nullptr, outer.left, outer.top, outer.right - outer.left,
               outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DestroyNative(NativeHandle window) {
  if (window == nullptr) return;
  if (IsTopLevel(Hwnd(window))) SetWindowLongPtrW(Hwnd(window), GWLP_USERDATA, 0);
  DestroyWindow(Hwnd(window));
}

void SetNativeText(NativeHandle control, const std::string& text) {
  if (control != nullptr && NativeText(control) != text)
    SetWindowTextW(Hwnd(control), Wide(text).c_str());
}

std::string NativeText(NativeHandle control) {
  if (control == nullptr) return std::string();
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Hwnd(control))) + 1, L'\0');
  text.resize(static_cast<size_t>(
      GetWindowTextW(Hwnd(control), text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void ShowNative(NativeHandle control, bool show) {
  if (control != nullptr) ShowWindow(Hwnd(control), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void EnableNative(NativeHandle control, bool enable) {
  if (control != nullptr) EnableWindow(Hwnd(control), enable ? TRUE : FALSE);
}

void SetNativeProgress(NativeHandle bar, int minimum, int maximum, int position) {
  if (bar == nullptr) return;
  SendMessageW(Hwnd(bar), PBM_SETRANGE32, static_cast<WPARAM>(minimum),
               static_cast<LPARAM>(maximum));
  SendMessageW(Hwnd(bar), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void SetNativeItems(NativeHandle combo, const std::vector<std::string>& items) {
  if (combo == nullptr) return;
  SendMessageW(Hwnd(combo), CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(Hwnd(combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  }
}

void SetNativeSelection(NativeHandle combo, int selection) {
  if (combo != nullptr) SendMessageW(Hwnd(combo), CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int NativeSelection(NativeHandle combo) {
  return combo != nullptr ? static_cast<int>(SendMessageW(Hwnd(combo), CB_GETCURSEL, 0, 0)) : -1;
}

NativeRect NativeWindowRect(NativeHandle window) {
  RECT client{};
  POINT origin{0, 0};
  if (window == nullptr || !GetClientRect(Hwnd(window), &client)) return NativeRect{};
  ClientToScreen(Hwnd(window), &origin);
  return NativeRect{origin.x, origin.y, client.right, client.bottom};
}

void SetNativeDefault(NativeHandle button, bool is_default) {
  if (button == nullptr) return;
  HWND root = GetAncestor(Hwnd(button), GA_ROOT);
  if (is_default) {
    SetWindowLongPtrW(root, kDefaultButtonSlot, reinterpret_cast<LONG_PTR>(button));
  } else if (GetWindowLongPtrW(root, kDefaultButtonSlot) == reinterpret_cast<LONG_PTR>(button)) {
    SetWindowLongPtrW(root, kDefaultButtonSlot, 0);
  }
  SendMessageW(Hwnd(button), BM_SETSTYLE, is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void FocusNative(NativeHandle control) {
  if (control == nullptr) return;
  HWND target = Hwnd(control);
  if (IsTopLevel(target)) {
    SetForegroundWindow(target);
    SetActiveWindow(target);
    HWND first = GetNextDlgTabItem(target, nullptr, FALSE);
    if (first != nullptr) target = first;
  }
  SetFocus(target);
}

NativeHandle FocusedNative() { return GetFocus(); }

void BringNativeToFront(NativeHandle window) {
  if (window != nullptr) PostMessageW(Hwnd(window), kBringToFront, 0, 0);
}

NativeRect NativeScreenArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return NativeRect{work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void PumpNativeMessages(int wait_ms) {
  if (wait_ms > 0)
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(wait_ms), QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    // The keys that move about a dialog, in our windows as in the system's dialogs.
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    wchar_t name[32] = {};
    if (root != nullptr && GetClassNameW(root, name, 32) > 0 && lstrcmpW(name, kWindowClass) == 0 &&
        IsDialogMessageW(root, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void ClickNative(NativeHandle button) {
  if (button != nullptr) SendMessageW(Hwnd(button), BM_CLICK, 0, 0);
}

void ChooseNative(NativeHandle combo, int entry) {
  if (combo == nullptr) return;
  SendMessageW(Hwnd(combo), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  // CB_SETCURSEL itself notifies nobody; a person's choice reaches the parent this way.
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(Hwnd(combo)), CBN_SELCHANGE);
  SendMessageW(GetParent(Hwnd(combo)), WM_COMMAND, command, reinterpret_cast<LPARAM>(combo));
}

void TypeNative(NativeHandle edit, const std::string& text) {
  if (edit != nullptr) SetWindowTextW(Hwnd(edit), Wide(text).c_str());
}

void PressNativeKey(NativeHandle control, NativeKey key) {
  if (control == nullptr) return;
  FocusNative(control);
  const WPARAM vk = key == NativeKey::kEnter    ? VK_RETURN
                    : key == NativeKey::kEscape ? VK_ESCAPE
                                                : VK_TAB;
  // Shift held as the keyboard's state says it is, which is what Shift+Tab is read from.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE shift = keys[VK_SHIFT];
  if (key == NativeKey::kShiftTab) keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), 0 /* MAPVK_VK_TO_VSC */);
  PostMessageW(Hwnd(control), WM_KEYDOWN, vk, static_cast<LPARAM>(1 | scan << 16));
  PostMessageW(Hwnd(control), WM_KEYUP, vk, static_cast<LPARAM>(1 | scan << 16 | 3u << 30));
  PumpNativeMessages(0);
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift;
  SetKeyboardState(keys);
}

void SetNativeTicker(int interval_ms, std::function<void()> tick) {
  if (g_timer != 0) KillTimer(nullptr, g_timer);
  g_timer = 0;
  g_tick = std::move(tick);
  if (interval_ms > 0 && g_tick)
    g_timer = SetTimer(nullptr, 0, static_cast<UINT>(interval_ms), &Tick);
}

int ShowNativeMessageBox(NativeHandle owner, const std::string& text, const std::string& caption,
                         std::uint32_t style) {
  return MessageBoxW(Hwnd(owner), Wide(text).c_str(), Wide(caption).c_str(), style);
}

NativeHandle OpenNativeMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &NoteMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

void AnswerNativeMessageBox(NativeHandle box, int answer) {
  if (box == nullptr) return;
  const int id = answer != 0 ? answer : LOWORD(SendMessageW(Hwnd(box), DM_GETDEFID, 0, 0));
  HWND button = GetDlgItem(Hwnd(box), id);
  if (button != nullptr) SendMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace orv::platform
