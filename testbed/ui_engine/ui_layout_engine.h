// The UI layout engine (component 186) as the testbed plays it: a tree of named objects built
// from ".tpf" layouts, events delivered to registered sinks through the testbed's message
// loop, modal runs that process queued user actions until EndModal, a record of every call,
// and a text drawing of what is visible for people and tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces/ui_layout_engine.h"
#include "testbed/common/testbed_component.h"
#include "testbed/ui_engine/element.h"
#include "testbed/ui_engine/window_view.h"

namespace orv::testbed {

class UILayoutEngine final : public TestbedComponent<IUILayoutEngine, kUILayoutEngineId> {
 public:
  // `window_name` names the engine's window (the launcher's main window, or a dialog's until
  // a layout replaces it).
  explicit UILayoutEngine(std::string window_name = "");
  ~UILayoutEngine() override;

  // The engine behind an IUILayoutEngine pointer, if it is one of the testbed's.
  static UILayoutEngine* From(IUILayoutEngine* engine);
  // Every engine alive, oldest first.
  static std::vector<UILayoutEngine*> All();
  // From now on every engine, alive or new, shows its window on screen as well (see
  // window_view.h); false where the system has no windows.
  static bool ShowWindows();

  // IUILayoutEngine
  std::uint32_t LoadLayout(const char* path, std::uint32_t parent) override;
  int AttachObject(IUIObject* loaded) override;
  int SetOwnerWindow(platform::WindowHandle owner) override;
  int ReleaseControl(std::uint32_t control_id) override;
  std::uint32_t FindControl(const char* name) override;
  IUIObject* GetControl(std::uint32_t control_id) override;
  IUIWindowRoot* GetRootObject() override;
  int AddEventSink(std::uint32_t control_id, IUIEventSink* sink) override;
  int RemoveEventSink(std::uint32_t control_id, IUIEventSink* sink) override;
  int GetProperties(IPropertyBag* bag, std::uint32_t key) override;

  // Called by the objects.
  IUIObject* LoadIntoWindow(Element* window, const char* path);
  std::uint32_t RunModal(Element* window);
  void EndModal(Element* window, std::uint32_t control_id);
  void Record(const std::string& call);
  void ElementChanged(Element* element);

  // What a person does, queued on the message loop; false when the control is not there to
  // be used (missing, hidden or disabled).
  bool Click(const std::string& name);
  bool SelectComboItem(const std::string& name, int position);
  bool TypeText(const std::string& name, const std::string& gbk_text);
  // Any event code to a control, whatever its state.
  bool SendEvent(const std::string& name, std::int32_t code);
  // A person's input through the system, on the control's window: "click" a button, "choose"
  // entry `argument` of a combo box, "type" `argument` (GBK) into an edit box. False when
  // the control has no window, is not there to be used or is not of that kind.
  bool ActOnScreen(const std::string& verb, const std::string& name, const std::string& argument);

  // The object of that name anywhere in the tree, attached or not.
  Element* Find(const std::string& name) const;
  Element* window() const { return window_.get(); }
  platform::WindowHandle WindowHandle() const;
  bool InModalRun() const { return !modal_runs_.empty(); }
  // The window on screen, or null.
  WindowView* view() const { return view_.get(); }

  const std::vector<std::string>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  const std::string& last_error() const { return last_error_; }

  // The visible part of the view, in UTF-8: one line per object, indented by depth.
  std::string Render() const;

 private:
  struct ModalRun {
    Element* window;
    bool ended;
    std::uint32_t result;
  };

  void AssignIds(Element* subtree);
  void RegisterNames(Element* subtree);
  void Deliver(std::uint32_t control_id, std::int32_t code);
  Element* ElementFor(IUIObject* object) const;
  // The object with that id in the current tree, or null.
  Element* ById(std::uint32_t control_id) const;
  // How a call on that id is recorded: the object's name, or the number when there is none.
  std::string NameOrId(std::uint32_t control_id) const;

  std::unique_ptr<Element> window_;
  std::vector<std::unique_ptr<Element>> detached_;  // loaded, not yet attached
  std::map<std::uint32_t, Element*> by_id_;
  std::map<std::string, std::uint32_t> names_;
  std::multimap<std::uint32_t, IUIEventSink*> sinks_;
  std::vector<ModalRun> modal_runs_;
  std::vector<std::string> calls_;
  std::uint32_t next_id_ = 1;
  platform::WindowHandle owner_ = nullptr;
  std::string last_error_;
  // Expires with the engine: queued clicks and running deliveries check it, since a handler
  // may release the engine (a dialog's window let go from inside its own event).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::unique_ptr<WindowView> view_;  // last: it goes first, while the objects it shows live
};

}  // namespace orv::testbed
