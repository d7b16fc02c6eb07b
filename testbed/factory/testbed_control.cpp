#include "testbed/factory/testbed_control.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/native_picture.h"
#include "platform/native_window.h"
#include "platform/text_encoding.h"
#include "testbed/common/call_journal.h"
#include "testbed/connections/proxy_test_connection.h"
#include "testbed/factory/message_box_component.h"
#include "testbed/runtime/message_loop.h"
#include "testbed/ui_engine/layout_loader.h"
#include "testbed/ui_engine/ui_layout_engine.h"
#include "testbed/update_engine/scenario.h"
#include "testbed/update_engine/update_engine_component.h"

namespace orv::testbed {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class TestbedControl final : public ITestbedControl {
 public:
  void RunUntilIdle() override { MessageLoop::Instance().RunUntilIdle(); }
  bool RunUntil(bool (*done)(void*), void* context) override {
    return MessageLoop::Instance().RunUntil(
        [done, context] { return done == nullptr || done(context); });
  }
  void SetRealTime(double speed) override { MessageLoop::Instance().SetRealTime(speed); }
  void SetIdleHandler(bool (*idle)(void*), void* context) override {
    if (idle == nullptr) {
      MessageLoop::Instance().SetIdleHandler(nullptr);
    } else {
      MessageLoop::Instance().SetIdleHandler([idle, context] { return idle(context); });
    }
  }
  std::uint64_t Now() override { return MessageLoop::Instance().Now(); }
  void PostAction(void (*task)(void*), void* context, std::uint32_t delay_ms) override {
    if (task != nullptr) MessageLoop::Instance().Post([task, context] { task(context); }, delay_ms);
  }

  IUILayoutEngine* CreateWindowEngine(const char* window_name) override {
    return new UILayoutEngine(window_name ? window_name : "");
  }
  bool SetWindowTitle(IUILayoutEngine* engine, const char* utf8_title) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    if (e == nullptr || utf8_title == nullptr) return false;
    e->window()->layout_text = platform::Utf8ToGbk(utf8_title);
    e->ElementChanged(e->window());
    return true;
  }
  int UIEngineCount() override { return static_cast<int>(UILayoutEngine::All().size()); }
  IUILayoutEngine* UIEngineAt(int index) override {
    const auto all = UILayoutEngine::All();
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<size_t>(index)]
                                                              : nullptr;
  }

  IUILayoutEngine* FindEngineByWindow(const char* window_name) override {
    const auto all = UILayoutEngine::All();
    for (auto engine = all.rbegin(); engine != all.rend(); ++engine) {
      if (window_name != nullptr && (*engine)->window()->name() == window_name) return *engine;
    }
    return nullptr;
  }

  bool Click(IUILayoutEngine* engine, const char* control) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && control != nullptr && e->Click(control);
  }
  bool SelectComboItem(IUILayoutEngine* engine, const char* control, int position) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && control != nullptr && e->SelectComboItem(control, position);
  }
  bool TypeText(IUILayoutEngine* engine, const char* control, const char* utf8_text) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && control != nullptr &&
           e->TypeText(control, platform::Utf8ToGbk(utf8_text ? utf8_text : ""));
  }
  bool SendEvent(IUILayoutEngine* engine, const char* control, std::int32_t code) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && control != nullptr && e->SendEvent(control, code);
  }
  bool InModalRun(IUILayoutEngine* engine) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && e->InModalRun();
  }

  bool GetControlState(IUILayoutEngine* engine, const char* control, ControlState* state) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    const Element* element = e && control ? e->Find(control) : nullptr;
    if (element == nullptr || state == nullptr) return false;
    std::memset(state, 0, sizeof *state);
    state->visible = element->visible ? 1 : 0;
    state->on_screen = element->ShownOnScreen() ? 1 : 0;
    state->enabled = element->enabled ? 1 : 0;
    state->position = element->position;
    state->range_max = element->range_max;
    state->selection = element->selection;
    const std::string& text = element->text.empty() && element->kind() == ElementKind::kStatic
                                  ? element->layout_text
                                  : element->text;
    std::snprintf(state->text, sizeof state->text, "%s", text.c_str());
    return true;
  }

  const char* Render(IUILayoutEngine* engine) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    render_ = e ? e->Render() : std::string();
    return render_.c_str();
  }
  const char* UICalls(IUILayoutEngine* engine) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    calls_ = e ? Joined(e->calls()) : std::string();
    return calls_.c_str();
  }
  void ClearUICalls(IUILayoutEngine* engine) override {
    if (UILayoutEngine* e = UILayoutEngine::From(engine)) e->ClearCalls();
  }

  IUpdateEngineEvent* NewestEngineListener() override {
    return UpdateEngineComponent::NewestListener();
  }

  bool SetScenario(const char* text) override {
    if (text == nullptr) {
      ClearScenarioText();
      return true;
    }
    Scenario parsed;
    std::string error;
    if (!ParseScenario(text, &parsed, &error)) return false;
    SetScenarioText(text);
    return true;
  }
  void PushMessageBoxAnswer(int answer) override { orv::testbed::PushMessageBoxAnswer(answer); }
  void SetMessageBoxResponder(int (*responder)(void*, const char*, const char*, std::uint32_t),
                              void* context) override {
    orv::testbed::SetMessageBoxResponder(responder, context);
  }
  void SetProxyTestTarget(const char* host, std::uint16_t port) override {
    orv::testbed::SetProxyTestTarget(host ? host : "", port);
  }
  bool ScenarioProgress(int* played, int* total) override {
    return played != nullptr && total != nullptr &&
           UpdateEngineComponent::NewestProgress(played, total);
  }
  const char* Journal() override { return orv::testbed::Journal().Snapshot(); }

  void SetPaused(bool paused) override { MessageLoop::Instance().SetPaused(paused); }
  void NewestProxyTest(int* started, bool* running, int* outcome) override {
    const ProxyTestStatus status = orv::testbed::NewestProxyTest();
    if (started != nullptr) *started = status.started;
    if (running != nullptr) *running = status.running;
    if (outcome != nullptr) *outcome = status.outcome;
  }
  bool LastUsedProxy(ProxyEntry* entry) override {
    return entry != nullptr && UpdateEngineComponent::LastUsedProxy(entry);
  }
  bool CheckLayout(const char* file, char* error, std::uint32_t error_size) override {
    std::string path;
    std::string node;
    SplitLayoutPath(file != nullptr ? file : "", &path, &node);
    std::string reason;
    auto* engine = new UILayoutEngine("");
    const bool loaded = LoadLayoutTree(engine, path, node, &reason) != nullptr;
    engine->Release(0);
    if (!loaded && error != nullptr && error_size > 0)
      std::snprintf(error, error_size, "%s", reason.c_str());
    return loaded;
  }

  bool ShowWindows() override { return UILayoutEngine::ShowWindows(); }
  void PumpWindows(int wait_ms) override { platform::PumpNativeMessages(wait_ms); }
  void RunDueTasks() override { MessageLoop::Instance().RunDue(); }
  bool SaveWindowsPicture(const char* path) override {
    std::vector<platform::NativeHandle> shown;
    for (UILayoutEngine* engine : UILayoutEngine::All()) {
      if (engine->view() != nullptr && engine->view()->OnScreen())
        shown.push_back(engine->view()->window());
    }
    return path != nullptr && platform::SaveNativePicture(shown, path);
  }
  bool ActOnScreen(IUILayoutEngine* engine, const char* verb, const char* control,
                   const char* argument) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    if (e == nullptr || verb == nullptr || control == nullptr) return false;
    if (std::strcmp(verb, "key") == 0) return PressKey(e, control, argument ? argument : "");
    return e->ActOnScreen(verb, control, platform::Utf8ToGbk(argument ? argument : ""));
  }
  platform::WindowHandle ScreenWindow(IUILayoutEngine* engine) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && e->view() != nullptr ? e->view()->window() : nullptr;
  }
  const char* FocusedControl() override {
    focused_.clear();
    const platform::NativeHandle focus = platform::FocusedNative();
    for (UILayoutEngine* engine : UILayoutEngine::All()) {
      const Element* element = engine->view() ? engine->view()->ElementOf(focus) : nullptr;
      if (element != nullptr) focused_ = element->name();
    }
    return focused_.c_str();
  }
  bool CloseRequested(IUILayoutEngine* engine) override {
    UILayoutEngine* e = UILayoutEngine::From(engine);
    return e != nullptr && e->view() != nullptr && e->view()->close_requested();
  }

 private:
  // A key pressed on a control of the engine's window, as the keyboard delivers it.
  static bool PressKey(UILayoutEngine* engine, const char* control, const std::string& key) {
    static const struct {
      const char* name;
      platform::NativeKey key;
    } kKeys[] = {{"tab", platform::NativeKey::kTab},
                 {"shift-tab", platform::NativeKey::kShiftTab},
                 {"enter", platform::NativeKey::kEnter},
                 {"esc", platform::NativeKey::kEscape}};
    const Element* target = engine->Find(control);
    platform::NativeHandle handle =
        target != nullptr && engine->view() ? engine->view()->ControlOf(*target) : nullptr;
    if (handle == nullptr || !target->ShownOnScreen() || !target->enabled) return false;
    for (const auto& known : kKeys) {
      if (key != known.name) continue;
      platform::PressNativeKey(handle, known.key);
      return true;
    }
    return false;
  }

  std::string render_;
  std::string calls_;
  std::string focused_;
};

}  // namespace

ITestbedControl* Testbed() {
  static TestbedControl control;
  return &control;
}

}  // namespace orv::testbed
