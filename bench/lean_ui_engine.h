// A UI layout engine that keeps no call record: a flat table of objects with fixed text
// buffers, found by name with a linear search, nothing allocated per call. Beside the
// testbed's engine, which records every call in strings, it leaves the update window's own
// cost per event visible.
//
// It can also write down the calls it receives (`Record`) as a script that `Replay` issues
// again on any engine, with the same arguments and texts: the UI work an event must do, and
// so the floor it cannot go below.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/interfaces/ui_layout_engine.h"
#include "testbed/common/testbed_component.h"

namespace orv::bench {

// One call on a UI engine or one of its objects. Objects and control ids are numbered in the
// order the engine handed them out (`target`, `result`, `arg` name those numbers; -1: none).
struct UICall {
  enum Op {
    kGetRoot,
    kFind,
    kGetControl,
    kBegin,
    kShow,
    kEnd,
    kEnable,
    kFirstChild,
    kNextSibling,
    kGetType,
    kRefresh,
    kGetText,
    kSetText,
    kSetPos
  };
  explicit UICall(Op operation) : op(operation) {}
  Op op;
  int target = -1;
  int result = -1;
  int arg = 0;
  std::string text;  // kFind: the name; kSetText: the text
};

struct UIScript {
  std::vector<UICall> calls;
  std::vector<bool> is_root;  // per object number: the engine's root window
  int ids = 0;
};

// Issues the script's calls on `ui`; `objects` and `ids` are the caller's scratch space, sized
// once (replaying allocates nothing).
void Replay(IUILayoutEngine* ui, const UIScript& script, std::vector<void*>& objects,
            std::vector<std::uint32_t>& ids);

struct LeanNode;

class LeanUIEngine final : public testbed::TestbedComponent<IUILayoutEngine, kUILayoutEngineId> {
 public:
  // A root window holding the object the layout file's "/OrvexUILayout/UIObject" names, with
  // its texts in GBK as the framework hands them out; false when the file does not load.
  bool Load(const std::string& native_path, std::string* error);

  // Calls from now on are written into `script` (null: no longer).
  void Record(UIScript* script);
  void Note(UICall::Op op, const void* target, const void* result = nullptr, int arg = 0,
            const char* text = nullptr);

  std::uint32_t LoadLayout(const char*, std::uint32_t) override { return 0; }
  int AttachObject(IUIObject*) override { return 0; }
  int SetOwnerWindow(platform::WindowHandle) override { return 0; }
  int ReleaseControl(std::uint32_t) override { return 0; }
  std::uint32_t FindControl(const char* name) override;
  IUIObject* GetControl(std::uint32_t control_id) override;
  IUIWindowRoot* GetRootObject() override;
  int AddEventSink(std::uint32_t, IUIEventSink*) override { return 0; }
  int RemoveEventSink(std::uint32_t, IUIEventSink*) override { return 0; }
  int GetProperties(IPropertyBag*, std::uint32_t) override { return 0; }

  LeanUIEngine();
  ~LeanUIEngine() override;

 private:
  int Number(const void* object);
  std::vector<std::unique_ptr<LeanNode>> nodes_;  // nodes_[0] is the root window
  UIScript* script_ = nullptr;
  std::map<const void*, int> numbers_;
  std::map<std::uint32_t, int> id_numbers_;
};

}  // namespace orv::bench
