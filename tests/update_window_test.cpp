// The update window's component, layout, buttons and connecting dialog, driven as a launcher
// drives it, checking the calls it makes on the outside components and in which order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "testbed/common/testbed_component.h"
#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

const std::string kStartLine = "UpdateEngine.RunUpdate(,1,0)";

// An engine with nothing in it: no root window, no controls. The launcher keeps it (a Release
// from the window would be a fault, and ends this stack object as one).
struct EmptyUIEngine final : testbed::TestbedComponent<IUILayoutEngine, kUILayoutEngineId> {
  std::uint32_t LoadLayout(const char*, std::uint32_t) override { return 0; }
  int AttachObject(IUIObject*) override { return 0; }
  int SetOwnerWindow(platform::WindowHandle) override { return 0; }
  int ReleaseControl(std::uint32_t) override { return 0; }
  std::uint32_t FindControl(const char*) override { return 0; }
  IUIObject* GetControl(std::uint32_t) override { return nullptr; }
  IUIWindowRoot* GetRootObject() override { return nullptr; }
  int AddEventSink(std::uint32_t, IUIEventSink*) override { return 0; }
  int RemoveEventSink(std::uint32_t, IUIEventSink*) override { return 0; }
  int GetProperties(IPropertyBag*, std::uint32_t) override { return 0; }
};

TEST_F(UpdateWindowTest, InitNeedsAHostAnEngineARootAndTheContainer) {
  EXPECT_EQ(0, update->Init(nullptr, 1));
  host.ui = nullptr;
  EXPECT_EQ(0, update->Init(&host, 0));
  EmptyUIEngine empty;
  host.ui = &empty;
  EXPECT_EQ(0, update->Init(&host, 0));
  EXPECT_EQ(0, update->StartUpdate(5));  // no container: nothing starts
  EXPECT_EQ(0, JournalCount(kStartLine));

  // The engine reports the end anyway: without a container every listener is still told.
  RecordingHost second;
  EventSourceOf(update)->Advise(host.listener(), 0);
  EventSourceOf(update)->Advise(second.listener(), 0);
  ASSERT_NE(nullptr, testbed.control()->NewestEngineListener());
  testbed.control()->NewestEngineListener()->OnUpdateFinish();
  EXPECT_EQ(1, host.start_game_count);
  EXPECT_EQ(1, second.start_game_count);

  // Nothing was bound, yet the host was kept: closing asks it for its engine again.
  host.calls.clear();
  ReleaseWindow();
  EXPECT_EQ(std::vector<std::string>{"GetUIEngine"}, host.calls);
}

TEST_F(UpdateWindowTest, InitLoadsTheLayoutIntoTheLaunchersWindowAndTheProxyFlagActsAtOnce) {
  ASSERT_EQ(1, InitWindow());
  update->SetShowProxyButton(0);
  EXPECT_FALSE(Visible("C2_Button_Proxy") || Enabled("C2_Button_Proxy"));
  update->SetShowProxyButton(2);  // any flag but 0
  EXPECT_TRUE(Visible("C2_Button_Proxy") && Enabled("C2_Button_Proxy"));
  const std::string layout =
      BesideExecutable("ui\\LayOut\\Container_Update.tpf");  // the testbed's root
  EXPECT_NE(std::string::npos,
            UICalls().find("MainWindow.LoadFromLayout(" + layout +
                           "/OrvexUILayout/UIObject,1)\nAttachObject(C2_Container)\n"));
}

TEST_F(UpdateWindowTest, ALayoutOfARootOfItsOwn) {
  // A framework root whose layout path, with the node, no longer fits in 260 bytes: the file
  // is loaded without the node. A fresh module works the root out again.
  std::string root = folder.path() + "\\";
  while (root.size() < 240 - std::strlen("\\ui\\LayOut\\Container_Update.tpf")) root += "r";
  const std::string path = root + "\\ui\\LayOut\\Container_Update.tpf";
  folder.Write(
      path.substr(folder.path().size() + 1),
      R"({"OrvexUILayout":{"UIObject":{"name":"C2_Container","type":"container","children":[
                    {"name":"Update_Container","type":"container","children":[
                      {"name":"Direct","type":"static","text":"size ${FILESIZE}"},
                      {"name":"Inner","type":"container","children":[
                        {"name":"Nested","type":"static","text":"size ${FILESIZE}"}]}]}]}}})");
  folder.Write("Orvex.ini", "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") +
                                "\n[Registry]\norvex_rootpath_data=" + root + "\n");
  ReleaseWindow();
  Pump();
  ASSERT_EQ(0, reinterpret_cast<int (*)()>(
                   platform::FindExport(testbed.handle(), "OrvFactUnloadModules"))());
  FreshWindow();
  EXPECT_NE(std::string::npos, UICalls().find("MainWindow.LoadFromLayout(" + path + ",1)\n"));

  SetScenario("0 progress phase=1 percent=10 size=2048 speed=1\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  EXPECT_EQ("size 2.0 KB", Text("Direct"));
  EXPECT_EQ("size ${FILESIZE}", Text("Nested"));  // deeper than one level: never rewritten
}

TEST_F(UpdateWindowTest, StartsKeepOneEngineAndHandItTheClientAndTheProxy) {
  Begin("option\n", 3);  // an engine that starts and then says nothing
  EXPECT_TRUE(JournalInOrder({"CreateById(1014,", "UpdateEngine.Advise(0)",
                              "UpdateEngine.SetUpdateParams(client=77,argument=3)", kStartLine}));
  EXPECT_TRUE(ConnectingShown());
  // Hidden behind the dialog until the engine reports: a person cannot reach its buttons.
  EXPECT_EQ(0, State("C2_Container").on_screen);
  EXPECT_EQ(1, update->StartUpdate(4));
  EXPECT_EQ(1, JournalCount("CreateById(1014,"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Advise(0)"));
  EXPECT_EQ(2, JournalCount(kStartLine));
  EXPECT_TRUE(JournalInOrder(
      {"argument=3", kStartLine, "SetUpdateParams(client=77,argument=4)", kStartLine}));
  // One connecting dialog at a time: the first was released by the second start.
  EXPECT_EQ(1, ConnectingDialogs());
  EXPECT_TRUE(ConnectingShown());

  // The client's field when the launcher gives one, and the selected proxy entry if usable.
  host.client_info_result = 0;
  host.proxy.entries[2].type = kProxyHttp;
  const struct {
    std::int32_t index;
    const char* address;
    std::uint16_t port;
    const char* used;
  } cases[] = {{2, "10.0.0.8", 8080, "(3,10.0.0.8,8080)"},
               {2, "10.0.0.8", 1, "(3,10.0.0.8,1)"},
               {3, "10.0.0.8", 8080, ""},
               {-1, "10.0.0.8", 8080, ""},
               {2, "", 8080, ""},
               {2, "10.0.0.8", 0, ""}};  // "": none used
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + " " + c.address + ":" + std::to_string(c.port));
    host.proxy.selected_index = c.index;
    std::strcpy(host.proxy.entries[2].address, c.address);
    host.proxy.entries[2].port = c.port;
    testbed.ClearJournal();
    ASSERT_EQ(1, update->StartUpdate(1));
    EXPECT_EQ(1, JournalCount("SetUpdateParams(client=0,argument=1)"));
    EXPECT_EQ(*c.used != '\0' ? 1 : 0, JournalCount(std::string("UpdateEngine.UseProxy") + c.used));
  }
}

TEST_F(UpdateWindowTest, ARefusedStartShowsNoDialogAndKeepsTheEngineAndTheLastArgument) {
  Begin("option\n", 11);  // another window's argument
  // RunUpdate is called once unless the start record is refused.
  const struct {
    const char* scenario;
    int runs;
  } refusing[] = {{"option params=0\n", 0}, {"option run=0\n", 1}};
  for (const auto& engine : refusing) {
    SCOPED_TRACE(engine.scenario);
    SetScenario(engine.scenario);
    FreshWindow();  // whose engine refuses
    testbed.ClearJournal();
    EXPECT_EQ(0, update->StartUpdate(12));
    EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=12)"));
    EXPECT_EQ(engine.runs, JournalCount(kStartLine));
    EXPECT_EQ(0, JournalCount("UpdateEngine.Released"));
    EXPECT_EQ(0, ConnectingDialogs());

    // Retry passes the argument of the last successful start: none yet, so 0.
    SetScenario("option\n");
    ASSERT_TRUE(Press("C2_Button_Retry"));
    Pump();
    EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=0)"));
  }
}

class CancelButton : public UpdateWindowTest {
 protected:
  void SetUp() override {
    UpdateWindowTest::SetUp();
    files.Write("liveupdateinfo.ini",
                "[cancelupdatewhendownload]\nNotice=Stop the required update?\n"
                "[canceladviseupdatewhendownload]\nNotice=Stop the advised update?\ntype=3\n"
                "[cancelupdatewheninstall]\nNotice=Installing, cannot stop.\n");
  }
  // A start in a fresh window (an engine a window keeps plays its scenario once) whose
  // scenario steps all run, then Cancel clicked and answered `answer` (0: by the responder).
  void CancelAfter(const std::string& scenario, int answer) {
    FreshWindow();
    SetScenario(scenario);
    ASSERT_EQ(1, update->StartUpdate(42));
    Pump();
    testbed.ClearJournal();
    host.stats.clear();
    if (answer != 0) testbed.control()->PushMessageBoxAnswer(answer);
    ASSERT_TRUE(Press("C2_Button_Cancel"));
    Pump();
  }
  std::string Box(const std::string& text, int style, int answer) {
    return "MessageBox.ShowMessage(0,登录提示," + std::to_string(style) + ",<font>" + text +
           "</font>) -> " + std::to_string(answer);
  }
};

TEST_F(CancelButton, TheAnswerAndThePhaseDecide) {
  const std::string download = "0 progress phase=1 percent=40 size=1000 speed=10";
  const struct {
    std::string scenario;
    int answer;
    const char* box;
    int style;
    bool released;      // the engine let go
    bool cancel_after;  // Cancel still offered, else Retry
    const char* then;   // a second box
  } cases[] = {
      // Before any progress; then any answer but Yes: nothing.
      {"option", 6, "Stop the required update?", 1, false, true, nullptr},
      {download, 7, "Stop the required update?", 1, false, true, nullptr},
      // An advised update is finished: the install time is reported, the game not started.
      {download + " kind=2", 6, "Stop the advised update?", 3, true, true, nullptr},
      {"0 progress phase=2 percent=40 size=1000 speed=10", 6, "Stop the required update?", 1, false,
       true, "Installing, cannot stop."},  // too late: only explained
      {download, 6, "Stop the required update?", 1, true, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario + " answered " + std::to_string(c.answer));
    CancelAfter(c.scenario + "\n", c.answer);
    EXPECT_EQ(1, JournalCount(Box(c.box, c.style, c.answer)));
    if (c.then != nullptr) {
      EXPECT_TRUE(JournalInOrder({Box(c.box, c.style, c.answer), Box(c.then, 0, 1)}));
    }
    EXPECT_EQ(c.released ? 1 : 0, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
    EXPECT_EQ(c.cancel_after, Visible("C2_Button_Cancel"));
    EXPECT_EQ(!c.cancel_after, Visible("C2_Button_Retry"));
    EXPECT_EQ(c.released && c.cancel_after ? Stats({{4, 0}}) : Stats(), host.stats);
    EXPECT_EQ(0, host.start_game_count);
  }

  // Retry starts again with the kept argument, and Cancel comes back.
  SetScenario("option\n");
  ASSERT_TRUE(Click("C2_Button_Retry"));  // the view is back after the engine let go
  Pump();
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=42)"));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
  EXPECT_FALSE(Visible("C2_Button_Retry"));
}

TEST_F(UpdateWindowTest, OnlyClicksCountAndStartGameReleasedFromItsListenerWaitsForTheClick) {
  Begin("option\n");
  window_ui->GetControl(window_ui->FindControl("C2_Button_StartGame"))->Show(1);
  testbed.ClearJournal();
  ASSERT_TRUE(
      testbed.control()->SendEvent(window_ui, "C2_Button_StartGame", kEventComboSelectionChanged));
  ASSERT_TRUE(testbed.control()->SendEvent(window_ui, "C2_Button_Cancel", 0));
  Pump();
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ("", testbed.Journal());

  int can_unload_inside = -1;
  host.on_start_game = [&] {
    ReleaseWindow();
    can_unload_inside = ModuleCanUnloadNow();
  };
  ASSERT_TRUE(Press("C2_Button_StartGame"));
  Pump();
  EXPECT_EQ(1, host.start_game_count);
  EXPECT_EQ(0, can_unload_inside);
  EXPECT_EQ(1, ModuleCanUnloadNow());
  // Closed once: each button unbound once, Cancel's control released once.
  for (const char* button :
       {"C2_Button_Cancel", "C2_Button_Retry", "C2_Button_StartGame", "C2_Button_Proxy"}) {
    EXPECT_EQ(1, Occurrences(UICalls(), std::string("RemoveEventSink(") + button + ")\n"))
        << button;
  }
  EXPECT_EQ(1, Occurrences(UICalls(), "ReleaseControl(C2_Button_Cancel)\n"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
}

// The launcher may let go of the window from inside any call the window makes on it. The
// handler then goes on (a call that reaches the window after that is asserted, then served),
// but makes nothing that only Close would undo: no engine, no connecting dialog, no dialog
// run, no binding.
TEST_F(CancelButton, AfterTheLauncherLetsGoNothingThatOnlyCloseUndoesIsMade) {
  bool release_in_engine_request = false;  // the launcher lets go when next asked for its window
  host.during = [&](const std::string& call) {
    if (call == "GetUIEngine" && update != nullptr &&
        std::exchange(release_in_engine_request, false))
      ReleaseWindow();
  };
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10\n", 6);  // Retry on screen
  const int dialogs = ConnectingDialogs();
  release_in_engine_request = true;
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(nullptr, update);
  EXPECT_EQ(0, JournalCount("CreateById(1014,"));  // the journal starts after the Cancel
  EXPECT_EQ(dialogs, ConnectingDialogs());
  EXPECT_NE(std::string::npos, debug.Take().find("Orvex[Assert]"));  // the Retry's start

  // Released while the Cancel box is up: the advised update still finishes as confirmed.
  testbed.control()->SetMessageBoxResponder(
      [](void* self, const char*, const char*, std::uint32_t) {
        static_cast<CancelButton*>(self)->ReleaseWindow();
        return 6;
      },
      this);
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10 kind=2 valid=0\n", 0);
  testbed.control()->SetMessageBoxResponder(nullptr, nullptr);
  EXPECT_EQ(nullptr, update);
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), host.stats);
  EXPECT_EQ(1, host.start_game_count);
  debug.Take();

  // Released as the Proxy click asks for the launcher's window: no modal run.
  FreshWindow();
  bool ran = false;
  testbed.control()->SetIdleHandler(
      [](void* ran) { return *static_cast<bool*>(ran) = true, false; }, &ran);
  release_in_engine_request = true;
  ASSERT_TRUE(Press("C2_Button_Proxy"));
  Pump();
  testbed.control()->SetIdleHandler(nullptr, nullptr);
  EXPECT_FALSE(ran);

  // Released in Init's own request: the layout is loaded and its buttons looked up as ever,
  // but none is bound.
  update = CreateWindow();
  const int bound = Occurrences(UICalls(), "AddEventSink(");
  const int loaded = Occurrences(UICalls(), "AttachObject(C2_Container)\n");
  const int proxy_lookups = Occurrences(UICalls(), "FindControl(C2_Button_Proxy)\n");
  release_in_engine_request = true;
  EXPECT_EQ(0, update->Init(&host, 0));
  EXPECT_EQ(nullptr, update);
  EXPECT_EQ(bound, Occurrences(UICalls(), "AddEventSink("));
  EXPECT_EQ(loaded + 1, Occurrences(UICalls(), "AttachObject(C2_Container)\n"));
  // Looked up by Close's unbinding, then by Init's own step.
  EXPECT_EQ(proxy_lookups + 2, Occurrences(UICalls(), "FindControl(C2_Button_Proxy)\n"));
  host.during = nullptr;
  debug.Take();
}

TEST_F(UpdateWindowTest, MisuseByTheLauncherNeverReachesAFreedWindow) {
  // A window never initialised closes without touching the launcher or its window.
  ReleaseWindow();
  EXPECT_EQ("", UICalls());
  EXPECT_TRUE(host.calls.empty());

  // Close called by the launcher itself, which lets go of the window from inside it: Close
  // runs once and the window is destroyed when it is done.
  FreshWindow();
  IUpdateLogic* window = update;
  int engine_requests = 0;
  host.during = [&](const std::string& call) {
    if (call != "GetUIEngine") return;
    ++engine_requests;
    if (update != nullptr) ReleaseWindow();
  };
  window->Close();
  host.during = nullptr;
  EXPECT_EQ(nullptr, update);
  // Asked to unbind the buttons, once: the release inside ran no second Close.
  EXPECT_EQ(1, engine_requests);

  // A second Init takes the host it is given: the first launcher, which may be gone by then,
  // is never called again (silencing its window is its own part). A second Init that fails
  // keeps the loaded view, so a start still runs.
  update = CreateWindow();
  RecordingHost first;
  first.ui = testbed.control()->CreateWindowEngine("FirstWindow");
  ASSERT_EQ(1, update->Init(&first, 0));
  first.calls.clear();
  ASSERT_EQ(1, update->Init(&host, 0));
  EXPECT_EQ(0, update->Init(nullptr, 0));
  SetScenario("option\n");
  EXPECT_EQ(1, update->StartUpdate(1));
  ReleaseWindow();
  EXPECT_TRUE(first.calls.empty());
  first.ui->Release(0);
}

}  // namespace
}  // namespace orv::testing
