// The framework's UI layout engine (component 186) and the objects it hands out.
//
// Every window and control belongs to the engine, which builds them from ".tpf" layout files
// and finds them by control name. Some slots of a UI object mean different operations on
// different object types (slot 13 loads a layout on a window root but answers the control id
// of a combo box; slot 65 sets a static's text, a progress bar's range, an edit box's text or
// prepares a window root). On 32-bit Windows a slot called with another signature than its
// implementation corrupts the stack, so each object type has an interface of its own and a
// slot is always called through the interface of the object it is called on:
//
//   IUIObject          what every object offers (containers and buttons need no more)
//   IUIStaticText      IUIObject + its text               (type code 339)
//   IUIProgressBar     IUIObject + range, position, bar option
//   IUIEditBox         IUIObject + its text
//   IUIPasswordEditBox IUIObject + its text and the entered password
//   IUIWindowRoot      a window: layout loading, preparing, modal runs (a sibling interface)
//   IUIComboBox        the selection and the control id (a sibling interface)
//
// The two sibling interfaces share the common slots' positions but not a C++ base, because
// their slot 13 differs. The engine hands every object out as IUIObject*; AsWindowRoot and
// AsComboBox turn such a pointer back into the interface of a window root or a combo box.
//
// Slots that the module never calls are declared as placeholders (with empty bodies, so that
// implementations need not repeat them) to keep every later slot at its number.
// The slot placeholders are laid out by hand, several to a line, so that slot numbers can be
// read off; the formatter leaves this file alone.
// clang-format off
#pragma once

#include <cstdint>

#include "framework/interfaces/event_sink.h"
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/component_interfaces.h"
#include "platform/window.h"

#define ORV_SLOT(n) \
  virtual void Slot##n() {}

// Slots 0 to 12 of every UI object: placeholders.
#define ORV_UI_SLOTS_0_TO_12                                                          \
  ORV_SLOT(0) ORV_SLOT(1) ORV_SLOT(2) ORV_SLOT(3) ORV_SLOT(4) ORV_SLOT(5) ORV_SLOT(6) \
  ORV_SLOT(7) ORV_SLOT(8) ORV_SLOT(9) ORV_SLOT(10) ORV_SLOT(11) ORV_SLOT(12)

// Slots 14 to 43 of every UI object.
#define ORV_UI_SLOTS_14_TO_43                                                              \
  ORV_SLOT(14) ORV_SLOT(15) ORV_SLOT(16) ORV_SLOT(17) ORV_SLOT(18) ORV_SLOT(19) ORV_SLOT(20) \
  virtual int Show(int show) = 0;        /* slot 21 */                                     \
  virtual int Enable(int enable) = 0;    /* slot 22 */                                     \
  ORV_SLOT(23) ORV_SLOT(24) ORV_SLOT(25) ORV_SLOT(26) ORV_SLOT(27)                         \
  virtual int BeginUpdate() = 0;         /* slot 28 */                                     \
  virtual int EndUpdate() = 0;           /* slot 29 */                                     \
  ORV_SLOT(30) ORV_SLOT(31) ORV_SLOT(32)                                                   \
  virtual ::orv::IUIObject* GetFirstChild() = 0;   /* slot 33: null when none */           \
  ORV_SLOT(34)                                                                              \
  virtual ::orv::IUIObject* GetNextSibling() = 0;  /* slot 35: null at the end */          \
  ORV_SLOT(36) ORV_SLOT(37) ORV_SLOT(38) ORV_SLOT(39) ORV_SLOT(40) ORV_SLOT(41) ORV_SLOT(42) \
  ORV_SLOT(43)

// Slots 45 to 64 of every UI object.
#define ORV_UI_SLOTS_45_TO_64                                                              \
  ORV_SLOT(45) ORV_SLOT(46)                                                                 \
  virtual std::uint32_t GetType() = 0;   /* slot 47: 339 for a static text */              \
  ORV_SLOT(48) ORV_SLOT(49) ORV_SLOT(50) ORV_SLOT(51) ORV_SLOT(52) ORV_SLOT(53) ORV_SLOT(54) \
  ORV_SLOT(55) ORV_SLOT(56) ORV_SLOT(57) ORV_SLOT(58) ORV_SLOT(59) ORV_SLOT(60) ORV_SLOT(61) \
  ORV_SLOT(62) ORV_SLOT(63) ORV_SLOT(64)

namespace orv {

constexpr std::uint32_t kStaticTextType = 339;

// UI event codes, the integer under key 4 of an event's property bag.
constexpr std::int32_t kEventClick = 0x300200;
constexpr std::int32_t kEventComboSelectionChanged = 0x300730;

class IUIObject {
 public:
  ORV_UI_SLOTS_0_TO_12
  ORV_SLOT(13)
  ORV_UI_SLOTS_14_TO_43
  // Copies the layout text, placeholders included (static texts only).
  virtual int GetText(char* buffer, int size) = 0;  // slot 44
  ORV_UI_SLOTS_45_TO_64

 protected:
  ~IUIObject() = default;
};

class IUIStaticText : public IUIObject {
 public:
  virtual int SetText(const char* text) = 0;  // slot 65
  // Called right before GetText; what it does is the engine's business.
  virtual int Refresh() = 0;                  // slot 66

 protected:
  ~IUIStaticText() = default;
};

class IUIProgressBar : public IUIObject {
 public:
  virtual int SetRange(int minimum, int maximum, int redraw) = 0;  // slot 65
  ORV_SLOT(66)
  virtual int SetPos(int position, int redraw) = 0;                // slot 67
  ORV_SLOT(68) ORV_SLOT(69) ORV_SLOT(70) ORV_SLOT(71) ORV_SLOT(72) ORV_SLOT(73) ORV_SLOT(74)
  virtual int SetBarOption(int flag) = 0;                          // slot 75

 protected:
  ~IUIProgressBar() = default;
};

class IUIEditBox : public IUIObject {
 public:
  virtual int SetEditText(const char* text) = 0;  // slot 65
  ORV_SLOT(66) ORV_SLOT(67) ORV_SLOT(68) ORV_SLOT(69) ORV_SLOT(70) ORV_SLOT(71)
  // The box's current text, valid until the next call on the box; null when it has none.
  virtual const char* GetEditText() = 0;          // slot 72

 protected:
  ~IUIEditBox() = default;
};

class IUIPasswordEditBox : public IUIObject {
 public:
  virtual int SetEditText(const char* text) = 0;                 // slot 65
  ORV_SLOT(66) ORV_SLOT(67) ORV_SLOT(68) ORV_SLOT(69) ORV_SLOT(70)
  // Copies the entered text, terminated, into the buffer.
  virtual int GetPasswordText(char* buffer, int size) = 0;       // slot 71
  virtual const char* GetEditText() = 0;                         // slot 72

 protected:
  ~IUIPasswordEditBox() = default;
};

class IUIWindowRoot {
 public:
  ORV_UI_SLOTS_0_TO_12
  // Loads the layout node named after the file path ("<file>/OrvexUILayout/UIObject") into
  // this window; the result goes to IUILayoutEngine::AttachObject.
  virtual IUIObject* LoadFromLayout(const char* path, int flag) = 0;  // slot 13
  ORV_UI_SLOTS_14_TO_43
  ORV_SLOT(44)
  ORV_UI_SLOTS_45_TO_64
  virtual int PrepareWindow() = 0;                 // slot 65
  ORV_SLOT(66) ORV_SLOT(67) ORV_SLOT(68)
  // Runs the window modally; the id of the control whose EndModal ended the run.
  virtual std::uint32_t DoModal() = 0;             // slot 69
  virtual int EndModal(std::uint32_t control_id) = 0;  // slot 70

 protected:
  ~IUIWindowRoot() = default;
};

class IUIComboBox {
 public:
  ORV_UI_SLOTS_0_TO_12
  virtual std::uint32_t GetControlId() = 0;  // slot 13: the combo box's own control id
  ORV_UI_SLOTS_14_TO_43
  ORV_SLOT(44)
  ORV_UI_SLOTS_45_TO_64
  ORV_SLOT(65) ORV_SLOT(66) ORV_SLOT(67) ORV_SLOT(68) ORV_SLOT(69)
  virtual int GetCurSel() = 0;               // slot 70
  virtual int SetCurSel(int position) = 0;   // slot 71

 protected:
  ~IUIComboBox() = default;
};

// Objects are handed out as IUIObject*; these give a window root or a combo box back its own
// interface. They only reinterpret the pointer: the engine knows what it handed out.
inline IUIWindowRoot* AsWindowRoot(IUIObject* object) {
  return reinterpret_cast<IUIWindowRoot*>(object);
}
inline IUIComboBox* AsComboBox(IUIObject* object) { return reinterpret_cast<IUIComboBox*>(object); }
inline IUIObject* AsUIObject(IUIWindowRoot* root) { return reinterpret_cast<IUIObject*>(root); }
inline IUIObject* AsUIObject(IUIComboBox* combo) { return reinterpret_cast<IUIObject*>(combo); }

// What the module implements to receive UI events.
class IUIEventSink : public ISink {
 public:
  // `event` holds the event code under key 4 (kEventClick, ...).
  virtual void OnUIEvent(std::uint32_t control_id, IPropertyBag* event) = 0;  // slot 1

 protected:
  ~IUIEventSink() = default;
};

class IUILayoutEngine : public IComponent {
 public:
  // The id of the loaded layout's root object, 0 on failure.
  virtual std::uint32_t LoadLayout(const char* path, std::uint32_t parent) = 0;  // slot 8
  virtual int AttachObject(IUIObject* loaded) = 0;                               // slot 9
  ORV_SLOT(10) ORV_SLOT(11) ORV_SLOT(12)
  virtual int SetOwnerWindow(platform::WindowHandle owner) = 0;                  // slot 13
  ORV_SLOT(14) ORV_SLOT(15)
  virtual int ReleaseControl(std::uint32_t control_id) = 0;                      // slot 16
  ORV_SLOT(17) ORV_SLOT(18) ORV_SLOT(19) ORV_SLOT(20) ORV_SLOT(21) ORV_SLOT(22) ORV_SLOT(23)
  virtual std::uint32_t FindControl(const char* name) = 0;                       // slot 24
  ORV_SLOT(25)
  virtual IUIObject* GetControl(std::uint32_t control_id) = 0;                   // slot 26
  virtual IUIWindowRoot* GetRootObject() = 0;                                    // slot 27
  ORV_SLOT(28) ORV_SLOT(29)
  virtual int AddEventSink(std::uint32_t control_id, IUIEventSink* sink) = 0;    // slot 30
  virtual int RemoveEventSink(std::uint32_t control_id, IUIEventSink* sink) = 0; // slot 31
  ORV_SLOT(32) ORV_SLOT(33)
  // Fills `bag` with the property `key` (kOwnerWindowKey: the window's handle, as a Dword).
  virtual int GetProperties(IPropertyBag* bag, std::uint32_t key) = 0;           // slot 34

 protected:
  ~IUILayoutEngine() = default;
};

}  // namespace orv
// clang-format on
