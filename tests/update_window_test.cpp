// The update window's component, layout, buttons and connecting dialog, driven as a launcher
// drives it, checking the calls it makes on the outside components and in which order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/text_encoding.h"
#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

const std::string kStartLine = "UpdateEngine.RunUpdate(,1,0)";

// An engine with nothing in it: no root window, no controls.
struct EmptyUIEngine final : IUILayoutEngine {
  std::uint32_t GetComponentID() override { return kUILayoutEngineId; }
  int IsAlive() override { return 1; }
  void Release(int) override {}
  int GetFreeInMap() override { return 0; }
  void SetFreeInMap(int) override {}
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
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
  // Nothing was bound, yet the host was kept: closing asks it for its engine again.
  host.calls.clear();
  ReleaseWindow();
  EXPECT_EQ(std::vector<std::string>{"GetUIEngine"}, host.calls);
  host.ui = window_ui;
}

TEST_F(UpdateWindowTest, InitLoadsTheLayoutAndBindsTheButtonsInOrder) {
  ClearUICalls();
  ASSERT_EQ(1, InitWindow());
  const std::string layout = TestbedSession::RootPath("ui\\LayOut\\Container_Update.tpf");
  EXPECT_EQ("GetRootObject\n"
            "MainWindow.LoadFromLayout(" + layout + "/OrvexUILayout/UIObject,1)\n"
            "AttachObject(C2_Container)\n"
            "FindControl(C2_Container)\n"
            "GetControl(C2_Container)\n"
            "FindControl(C2_Button_Cancel)\n"
            "FindControl(C2_Button_Retry)\n"
            "FindControl(C2_Button_StartGame)\n"
            "FindControl(C2_Button_Proxy)\n"
            "AddEventSink(C2_Button_Cancel)\n"
            "AddEventSink(C2_Button_Retry)\n"
            "AddEventSink(C2_Button_StartGame)\n"
            "AddEventSink(C2_Button_Proxy)\n",
            UICalls());
}

// A framework root of the test's own (`root`, inside the test's folder) holding `layout` as
// the window's layout, and a fresh module and window, so that the root is worked out again.
void UseFrameworkRoot(UpdateWindowTest* test, const std::string& root, const std::string& layout) {
  test->folder.Write(root.substr(test->folder.path().size() + 1) + "\\ui\\LayOut\\Container_Update.tpf", layout);
  test->folder.Write("Orvex.ini", "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") +
                                      "\n[Registry]\norvex_rootpath_data=" + root + "\n");
  test->ReleaseWindow();
  test->testbed.control()->RunUntilIdle();
  ASSERT_EQ(0, reinterpret_cast<int (*)()>(
                   platform::FindExport(test->testbed.handle(), "OrvFactUnloadModules"))());
  test->update = test->CreateWindow();
  ASSERT_NE(nullptr, test->update);
}

TEST_F(UpdateWindowTest, ALayoutPathTooLongForTheNodeIsLoadedWithoutIt) {
  // A framework root whose layout path, with the node, no longer fits in 260 bytes.
  std::string root = folder.path() + "\\";
  while (root.size() < 240 - std::strlen("\\ui\\LayOut\\Container_Update.tpf")) root += "r";
  UseFrameworkRoot(this, root,
                   "{\"OrvexUILayout\":{\"UIObject\":{\"name\":\"C2_Container\",\"type\":\"container\"}}}");
  ClearUICalls();
  EXPECT_EQ(1, InitWindow());
  const std::string path = root + "\\ui\\LayOut\\Container_Update.tpf";
  EXPECT_EQ(240u, path.size());
  EXPECT_NE(std::string::npos, UICalls().find("MainWindow.LoadFromLayout(" + path + ",1)\n"));
}

TEST_F(UpdateWindowTest, OnlyTheDirectStaticsOfTheProgressViewAreFilled) {
  UseFrameworkRoot(this, folder.path() + "\\nested",
                   R"({"OrvexUILayout":{"UIObject":{"name":"C2_Container","type":"container","children":[
                        {"name":"Update_Container","type":"container","children":[
                          {"name":"Direct","type":"static","text":"size ${FILESIZE}"},
                          {"name":"Inner","type":"container","children":[
                            {"name":"Nested","type":"static","text":"size ${FILESIZE}"}]}]}]}}})");
  ASSERT_EQ(1, InitWindow());
  SetScenario("0 progress phase=1 percent=10 size=2048 speed=1\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  EXPECT_EQ("size 2.0 KB", Text("Direct"));
  EXPECT_EQ("size ${FILESIZE}", Text("Nested"));  // deeper than one level: never rewritten
}

TEST_F(UpdateWindowTest, StartingTwiceKeepsOneEngineAdvisedOnce) {
  ASSERT_EQ(1, InitWindow());
  SetScenario("option\n");  // an engine that starts and then says nothing
  EXPECT_EQ(1, update->StartUpdate(3));
  EXPECT_EQ(1, update->StartUpdate(4));
  EXPECT_EQ(1, JournalCount("CreateById(1014,"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Advise(0)"));
  EXPECT_EQ(2, JournalCount(kStartLine));
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=4)"));
  // One connecting dialog at a time: the first was released by the second start.
  EXPECT_EQ(1, ConnectingDialogs());
}

TEST_F(UpdateWindowTest, ARefusedStartKeepsTheEngineAndTheLastArgument) {
  ASSERT_EQ(1, InitWindow());
  SetScenario("option\n");
  ASSERT_EQ(1, update->StartUpdate(11));
  SetScenario("option params=0\n");
  ReleaseWindow();  // a fresh window, whose engine refuses
  update = CreateWindow();
  ASSERT_EQ(1, InitWindow());
  testbed.ClearJournal();
  EXPECT_EQ(0, update->StartUpdate(12));
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=12)"));
  EXPECT_EQ(0, JournalCount(kStartLine));
  EXPECT_EQ(0, JournalCount("UpdateEngine.Released"));
  EXPECT_EQ(0, ConnectingDialogs());

  // Retry passes the argument of the last successful start: none yet, so 0.
  SetScenario("option\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=0)"));
}

TEST_F(UpdateWindowTest, ClientInfoAndTheProxyEntryGoToTheEngine) {
  ASSERT_EQ(1, InitWindow());
  SetScenario("option\n");
  host.client_info_result = 0;
  host.proxy.selected_index = 2;
  std::strcpy(host.proxy.entries[2].address, "10.0.0.8");
  host.proxy.entries[2].port = 8080;
  host.proxy.entries[2].type = kProxyHttp;
  ASSERT_EQ(1, update->StartUpdate(1));
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=0,argument=1)"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.UseProxy(3,10.0.0.8,8080)"));

  // Entries the engine cannot use are not handed on.
  const auto unusable = [&](std::int32_t index, const char* address, std::uint16_t port) {
    host.proxy.selected_index = index;
    std::strcpy(host.proxy.entries[2].address, address);
    host.proxy.entries[2].port = port;
    testbed.ClearJournal();
    update->StartUpdate(1);
    return JournalCount("UpdateEngine.UseProxy");
  };
  EXPECT_EQ(0, unusable(3, "10.0.0.8", 8080));
  EXPECT_EQ(0, unusable(-1, "10.0.0.8", 8080));
  EXPECT_EQ(0, unusable(2, "", 8080));
  EXPECT_EQ(0, unusable(2, "10.0.0.8", 0));
  EXPECT_EQ(1, unusable(2, "10.0.0.8", 1));
}

class CancelButton : public UpdateWindowTest {
 protected:
  void SetUp() override {
    UpdateWindowTest::SetUp();
    files.Write("liveupdateinfo.ini",
                "[cancelupdatewhendownload]\nNotice=Stop the required update?\n"
                "[canceladviseupdatewhendownload]\nNotice=Stop the advised update?\ntype=3\n"
                "[cancelupdatewheninstall]\nNotice=Installing, cannot stop.\n");
    ASSERT_EQ(1, InitWindow());
  }
  // Starts with a scenario whose steps all run, then clicks Cancel answering `answer`.
  void CancelAfter(const std::string& scenario, int answer) {
    SetScenario(scenario);
    ASSERT_EQ(1, update->StartUpdate(42));
    Pump();
    testbed.ClearJournal();
    testbed.control()->PushMessageBoxAnswer(answer);
    ASSERT_TRUE(Press("C2_Button_Cancel"));
    Pump();
  }
  std::string Box(const std::string& text, int style, int answer) {
    return "MessageBox.ShowMessage(0,登录提示," + std::to_string(style) + ",<font>" + text +
           "</font>) -> " + std::to_string(answer);
  }
};

TEST_F(CancelButton, BeforeAnyProgressTheAnswerChangesNothing) {
  CancelAfter("option\n", 6);
  EXPECT_EQ(1, JournalCount(Box("Stop the required update?", 1, 6)));
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
}

TEST_F(CancelButton, ConfirmedWhileARequiredUpdateDownloadsReleasesTheEngine) {
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10\n", 6);
  EXPECT_EQ(1, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
  EXPECT_FALSE(Visible("C2_Button_Cancel"));
  EXPECT_TRUE(Visible("C2_Button_Retry"));

  // Retry starts again with the kept argument, and Cancel comes back.
  testbed.ClearJournal();
  SetScenario("option\n");
  ASSERT_TRUE(Click("C2_Button_Retry"));  // the view is back after the engine let go
  Pump();
  EXPECT_EQ(1, JournalCount("SetUpdateParams(client=77,argument=42)"));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
  EXPECT_FALSE(Visible("C2_Button_Retry"));
}

TEST_F(CancelButton, ConfirmedWhileAnAdvisedUpdateDownloadsFinishesTheUpdate) {
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10 kind=2\n", 6);
  EXPECT_EQ(1, JournalCount(Box("Stop the advised update?", 3, 6)));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
  ASSERT_FALSE(host.stats.empty());
  EXPECT_EQ(4u, host.stats.back().first);  // OnUpdateFinish after progress
  EXPECT_EQ(0, host.start_game_count);
}

TEST_F(CancelButton, ConfirmedWhileInstallingOnlyExplains) {
  CancelAfter("0 progress phase=2 percent=40 size=1000 speed=10\n", 6);
  EXPECT_EQ(1, JournalCount(Box("Stop the required update?", 1, 6) + "\n"
                            "ReleaseComponent(1378)\nCreateComponent(361,0)\nCreateById(1378,<null>)\n" +
                            Box("Installing, cannot stop.", 0, 1)));
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
}

TEST_F(CancelButton, AnyAnswerButYesChangesNothing) {
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10\n", 7);
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10\n", 1);
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
}

TEST_F(UpdateWindowTest, EventsOtherThanClicksChangeNothing) {
  ASSERT_EQ(1, InitWindow());
  SetScenario("option\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Control("C2_Button_StartGame")->Show(1);
  testbed.ClearJournal();
  ASSERT_TRUE(testbed.control()->SendEvent(window_ui, "C2_Button_StartGame", kEventComboSelectionChanged));
  ASSERT_TRUE(testbed.control()->SendEvent(window_ui, "C2_Button_Cancel", 0));
  Pump();
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ("", testbed.Journal());
}

TEST_F(UpdateWindowTest, StartGameReleasedFromItsListenerIsDestroyedAfterTheClick) {
  ASSERT_EQ(1, InitWindow());
  SetScenario("option\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  int can_unload_inside = -1;
  host.on_start_game = [&] {
    ReleaseWindow();
    can_unload_inside = ModuleCanUnloadNow();
  };
  ClearUICalls();
  ASSERT_TRUE(Press("C2_Button_StartGame"));
  Pump();
  EXPECT_EQ(1, host.start_game_count);
  EXPECT_EQ(0, can_unload_inside);
  EXPECT_EQ(1, ModuleCanUnloadNow());
  const std::string calls = UICalls();
  EXPECT_EQ(1, [&] {
    int n = 0;
    for (size_t at = calls.find("ReleaseControl(C2_Button_Cancel)"); at != std::string::npos;
         at = calls.find("ReleaseControl(C2_Button_Cancel)", at + 1)) {
      ++n;
    }
    return n;
  }());
  EXPECT_NE(std::string::npos, calls.find("RemoveEventSink(C2_Button_Cancel)\nReleaseControl(C2_Button_Cancel)\n"
                                          "FindControl(C2_Button_Retry)\nRemoveEventSink(C2_Button_Retry)"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
}

// The launcher may let go of the window from inside any call the window makes on it; each
// handler stops there: no new engine, no statistic, no listener told after the release.
TEST_F(CancelButton, HandlersStopWhereTheLauncherLetGoOfTheWindow) {
  CancelAfter("0 progress phase=1 percent=40 size=1000 speed=10\n", 6);  // Retry on screen
  testbed.ClearJournal();
  host.during = [&](const std::string& call) {
    if (call == "GetUIEngine") ReleaseWindow();
  };
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  host.during = nullptr;
  EXPECT_EQ(nullptr, update);
  EXPECT_EQ(0, JournalCount("UpdateEngine.SetUpdateParams"));

  // Cancel confirmed on an advised update that had no valid progress would finish it and
  // tell the listener to start the game; released while the box is up, it does neither.
  update = CreateWindow();
  ASSERT_EQ(1, InitWindow());
  SetScenario("0 progress phase=1 percent=40 size=1000 speed=10 kind=2 valid=0\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  host.stats.clear();
  testbed.control()->SetMessageBoxResponder(
      [](void* self, const char*, const char*, std::uint32_t) {
        static_cast<CancelButton*>(self)->ReleaseWindow();
        return 6;
      },
      this);
  ASSERT_TRUE(Press("C2_Button_Cancel"));
  Pump();
  testbed.control()->SetMessageBoxResponder(nullptr, nullptr);
  EXPECT_EQ(nullptr, update);
  EXPECT_TRUE(host.stats.empty());
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ(std::string::npos, debug.Take().find("Orvex[Assert]"));
}

TEST_F(UpdateWindowTest, MisuseByTheLauncherNeverReachesAFreedWindow) {
  // Init twice, then release: no button of the launcher's window still leads to the window.
  ASSERT_EQ(1, InitWindow());
  ASSERT_EQ(1, update->Init(&host, 0));
  ReleaseWindow();
  Pump();
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(0, JournalCount("UpdateEngine.SetUpdateParams"));

  // Close called by the launcher itself, which lets go of the window from inside it: Close
  // runs once and the window is destroyed when it is done.
  update = CreateWindow();
  ASSERT_EQ(1, InitWindow());
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
  EXPECT_EQ(1, engine_requests);  // to unbind the buttons, once: the release inside ran no second Close
  EXPECT_EQ(std::string::npos, debug.Take().find("Orvex[Assert]"));
}

TEST_F(UpdateWindowTest, CloseOnAWindowNeverInitialised) {
  ReleaseWindow();
  EXPECT_EQ("", UICalls());
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace orv::testing
