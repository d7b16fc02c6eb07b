// The testbed's UI layout engine and update engine, driven through the framework's
// interfaces exactly as the module will drive them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/interfaces/ui_layout_engine.h"
#include "framework/interfaces/update_engine.h"
#include "platform/file_read.h"
#include "platform/text_encoding.h"
#include "tests/support/testbed_session.h"

namespace orv::testing {
namespace {

struct RecordingSink final : IUIEventSink {
  std::vector<std::pair<std::uint32_t, std::int32_t>> events;
  IUIWindowRoot* end_modal_on = nullptr;  // ends the modal run of this window on a click
  int GetSinkVersion() override { return 1; }
  void OnUIEvent(std::uint32_t control_id, IPropertyBag* event) override {
    const std::int32_t code = event->GetInt(kEventCodeKey, 0);
    events.emplace_back(control_id, code);
    if (end_modal_on != nullptr && code == kEventClick) end_modal_on->EndModal(control_id);
  }
};

class TestbedUI : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testbed.ready());
    engine = testbed.control()->CreateWindowEngine("MainWindow");
  }
  void TearDown() override { engine->Release(0); }

  IUIObject* LoadUpdateView() {
    const std::string path =
        TestbedSession::RootPath("ui\\LayOut\\Container_Update.tpf") + "/OrvexUILayout/UIObject";
    IUIObject* loaded = engine->GetRootObject()->LoadFromLayout(path.c_str(), 1);
    engine->AttachObject(loaded);
    return loaded;
  }
  IUIObject* Control(const char* name) { return engine->GetControl(engine->FindControl(name)); }

  TestbedSession testbed;
  IUILayoutEngine* engine = nullptr;
};

TEST_F(TestbedUI, LoadsTheUpdateViewAndFindsControlsOnceAttached) {
  const std::string path =
      TestbedSession::RootPath("ui\\LayOut\\Container_Update.tpf") + "/OrvexUILayout/UIObject";
  IUIObject* loaded = engine->GetRootObject()->LoadFromLayout(path.c_str(), 1);
  ASSERT_NE(nullptr, loaded);
  EXPECT_EQ(0u, engine->FindControl("C2_Container"));  // not attached yet
  EXPECT_EQ(1, engine->AttachObject(loaded));
  EXPECT_EQ(loaded, Control("C2_Container"));
  EXPECT_EQ(nullptr, engine->GetControl(engine->FindControl("NoSuchControl")));

  // The walk sees the direct children only: the progress bar sits one level deeper.
  std::vector<std::string> statics;
  int others = 0;
  for (IUIObject* child = Control("Update_Container")->GetFirstChild(); child != nullptr;
       child = child->GetNextSibling()) {
    if (child->GetType() != kStaticTextType) {
      ++others;
      continue;
    }
    char text[1024] = {};
    static_cast<IUIStaticText*>(child)->Refresh();
    child->GetText(text, sizeof text);
    statics.push_back(platform::GbkToUtf8(text));
  }
  EXPECT_EQ(1, others);
  ASSERT_EQ(9u, statics.size());
  EXPECT_EQ("文件大小：${FILESIZE}", statics[2]);
  EXPECT_EQ("已安装：${INSTALLPROCESS}", statics[6]);

  char cut[8] = {};
  Control("C2_Static_FileSize")->GetText(cut, sizeof cut);
  EXPECT_EQ(7u, std::strlen(cut));
}

TEST_F(TestbedUI, ClicksReachTheSinksOfVisibleEnabledControls) {
  LoadUpdateView();
  RecordingSink sink;
  const std::uint32_t cancel = engine->FindControl("C2_Button_Cancel");
  const std::uint32_t retry = engine->FindControl("C2_Button_Retry");
  engine->AddEventSink(cancel, &sink);
  engine->AddEventSink(retry, &sink);
  auto* control = testbed.control();

  EXPECT_FALSE(control->Click(engine, "C2_Button_Cancel"));  // the container starts hidden
  Control("C2_Container")->Show(1);
  EXPECT_TRUE(control->Click(engine, "C2_Button_Cancel"));
  EXPECT_FALSE(control->Click(engine, "C2_Button_Retry"));  // hidden
  Control("C2_Button_Cancel")->Enable(0);
  EXPECT_FALSE(control->Click(engine, "C2_Button_Cancel"));
  control->RunUntilIdle();
  EXPECT_EQ((std::vector<std::pair<std::uint32_t, std::int32_t>>{{cancel, kEventClick}}), sink.events);

  engine->RemoveEventSink(cancel, &sink);
  Control("C2_Button_Cancel")->Enable(1);
  EXPECT_TRUE(control->Click(engine, "C2_Button_Cancel"));
  control->RunUntilIdle();
  EXPECT_EQ(1u, sink.events.size());
}

TEST_F(TestbedUI, DialogsRunModallyUntilEndModal) {
  IUILayoutEngine* dialog = static_cast<IUILayoutEngine*>(
      testbed.factory()->CreateById(kUILayoutEngineId, nullptr));
  ASSERT_NE(nullptr, dialog);
  const std::string path = TestbedSession::RootPath("ui\\layout\\Dlg_ProxySetting.tpf");
  const std::uint32_t root_id = dialog->LoadLayout(path.c_str(), 0);
  ASSERT_NE(0u, root_id);
  IUIWindowRoot* root = AsWindowRoot(dialog->GetControl(root_id));
  EXPECT_EQ(root, dialog->GetRootObject());

  RecordingSink sink;
  dialog->AddEventSink(root_id, &sink);  // a dialog hears every control through its root
  IUIComboBox* combo = AsComboBox(dialog->GetControl(dialog->FindControl("Dlg_Type_Combo")));
  EXPECT_EQ(dialog->FindControl("Dlg_Type_Combo"), combo->GetControlId());
  EXPECT_EQ(0, combo->GetCurSel());

  auto* control = testbed.control();
  root->PrepareWindow();
  root->Show(1);
  EXPECT_TRUE(control->SelectComboItem(dialog, "Dlg_Type_Combo", 2));
  EXPECT_TRUE(control->TypeText(dialog, "Dlg_Pass_Edt", "secret"));
  EXPECT_TRUE(control->Click(dialog, "Dlg_ProxySetting_OK_Btn"));
  sink.end_modal_on = root;
  EXPECT_EQ(dialog->FindControl("Dlg_ProxySetting_OK_Btn"), root->DoModal());
  EXPECT_EQ(2, combo->GetCurSel());
  EXPECT_EQ((std::vector<std::pair<std::uint32_t, std::int32_t>>{
                {combo->GetControlId(), kEventComboSelectionChanged},
                {dialog->FindControl("Dlg_ProxySetting_OK_Btn"), kEventClick}}),
            sink.events);

  auto* password = static_cast<IUIPasswordEditBox*>(dialog->GetControl(dialog->FindControl("Dlg_Pass_Edt")));
  char text[8] = {};
  password->GetPasswordText(text, sizeof text);
  EXPECT_STREQ("secret", text);
  // A modal run with nothing left to do for the person ends with 0.
  EXPECT_EQ(0u, root->DoModal());
  dialog->Release(0);
}

TEST_F(TestbedUI, TheDrawingShowsWhatIsVisibleInUtf8) {
  LoadUpdateView();
  Control("C2_Container")->Show(1);
  auto* bar = static_cast<IUIProgressBar*>(Control("C2_Process_Level"));
  bar->SetRange(0, 100, 1);
  bar->SetPos(50, 1);
  Control("Container_ProcessBackGround")->Show(1);
  static_cast<IUIStaticText*>(Control("C2_Static_FileSize"))
      ->SetText(platform::Utf8ToGbk("文件大小：10.0 MB").c_str());
  Control("C2_Button_Cancel")->Enable(0);
  const std::string view = testbed.control()->Render(engine);
  EXPECT_NE(std::string::npos, view.find("    [##########..........] 50%\n"));
  EXPECT_NE(std::string::npos, view.find("    \"文件大小：10.0 MB\"\n"));
  EXPECT_NE(std::string::npos, view.find("  <取消> (disabled)\n"));
  EXPECT_EQ(std::string::npos, view.find("StartGame_Container"));
}

struct RecordingEngineSink final : IUpdateEngineEvent {
  std::vector<std::string> events;
  std::vector<UpdateProgressInfo> records;
  int GetSinkVersion() override { return 1; }
  void OnUpdateFinish() override { events.push_back("finish"); }
  void OnUpdateFail(std::uint32_t code) override { events.push_back("fail " + std::to_string(code)); }
  void OnUpdateSuccess() override { events.push_back("success"); }
  void OnNeedUpdate() override { events.push_back("need"); }
  void OnUpdateProgress(const UpdateProgressInfo* info) override {
    events.push_back("progress");
    records.push_back(*info);
  }
  void OnStageTiming() override { events.push_back("timing"); }
};

TEST(TestbedUpdateEngine, PlaysAScenarioOnTheLoopWithTheRecordsAtTheirOffsets) {
  TestbedSession testbed;
  ASSERT_TRUE(testbed.ready());
  ASSERT_TRUE(testbed.control()->SetScenario(
      "100 need\n"
      "200 progress phase=1 percent=40 size=10485760 speed=524288 kind=2 version=2.1.0\n"
      "0 fail code=-5\n"
      "0 finish\n"));
  EXPECT_FALSE(testbed.control()->SetScenario("100 explode\n"));
  auto* engine = static_cast<IUpdateEngine*>(testbed.factory()->CreateById(kUpdateEngineId, nullptr));
  ASSERT_NE(nullptr, engine);
  RecordingEngineSink sink;
  EventSourceOf(engine)->Advise(static_cast<IUpdateEngineEvent*>(&sink), 0);
  UpdateStartParams params{};
  params.argument = 9;
  EXPECT_EQ(1, engine->SetUpdateParams(&params));
  EXPECT_EQ(1, engine->RunUpdate("", 1, 0));
  EXPECT_TRUE(sink.events.empty());  // nothing arrives before the loop runs
  testbed.control()->RunUntilIdle();

  EXPECT_EQ((std::vector<std::string>{"need", "progress", "fail 4294967291", "finish"}), sink.events);
  ASSERT_EQ(1u, sink.records.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(&sink.records[0]);
  const auto u32_at = [bytes](size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset] | bytes[offset + 1] << 8 |
                                      bytes[offset + 2] << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
  };
  EXPECT_EQ(1u, u32_at(0));
  EXPECT_STREQ("2.1.0", reinterpret_cast<const char*>(bytes + 264));
  EXPECT_EQ(10485760u, u32_at(396));
  EXPECT_EQ(524288u, u32_at(400));
  EXPECT_EQ(40u, u32_at(404));
  EXPECT_EQ(1u, u32_at(412));
  EXPECT_EQ(2u, u32_at(416));
  EXPECT_EQ(200u + 100u, testbed.control()->Now());  // the delays, in loop time

  // An engine released with steps still to come never calls again.
  testbed.control()->SetScenario("100 need\n100 finish\n");
  auto* second = static_cast<IUpdateEngine*>(testbed.factory()->CreateById(kUpdateEngineId, nullptr));
  EventSourceOf(second)->Advise(static_cast<IUpdateEngineEvent*>(&sink), 0);
  second->RunUpdate("", 1, 0);
  second->Release(0);
  testbed.control()->RunUntilIdle();
  EXPECT_EQ(4u, sink.events.size());
  EventSourceOf(engine)->Unadvise(&sink);
  engine->Release(0);
}

TEST(TestbedUpdateEngine, TheShippedFullUpdateArrivesInOrder) {
  TestbedSession testbed;
  ASSERT_TRUE(testbed.ready());
  std::string scenario;
  ASSERT_TRUE(platform::ReadWholeFile(TestbedSession::RootPath("scenarios\\full_update.scn").c_str(),
                                      &scenario));
  ASSERT_TRUE(testbed.control()->SetScenario(scenario.c_str()));
  IUILayoutEngine* window = testbed.control()->CreateWindowEngine("MainWindow");
  const std::string layout =
      TestbedSession::RootPath("ui\\LayOut\\Container_Update.tpf") + "/OrvexUILayout/UIObject";
  ASSERT_NE(nullptr, window->GetRootObject()->LoadFromLayout(layout.c_str(), 1));

  auto* engine = static_cast<IUpdateEngine*>(testbed.factory()->CreateById(kUpdateEngineId, nullptr));
  RecordingEngineSink sink;
  EventSourceOf(engine)->Advise(static_cast<IUpdateEngineEvent*>(&sink), 0);
  ASSERT_EQ(1, engine->RunUpdate("", 1, 0));
  testbed.control()->RunUntilIdle();
  EXPECT_EQ((std::vector<std::string>{"need", "progress", "progress", "progress", "progress",
                                      "progress", "progress", "progress", "progress", "progress",
                                      "success", "timing", "finish"}),
            sink.events);
  ASSERT_EQ(9u, sink.records.size());
  std::vector<std::uint32_t> percents;
  for (const UpdateProgressInfo& record : sink.records) percents.push_back(record.phase * 1000 + record.percent);
  EXPECT_EQ((std::vector<std::uint32_t>{1000, 1010, 1035, 1060, 1085, 1100, 2000, 2050, 2100}), percents);
  engine->Release(0);
  window->Release(0);
}

}  // namespace
}  // namespace orv::testing
