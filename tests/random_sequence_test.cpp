// Seeded random sequences of what a launcher, an engine and a person may do to the update
// window, in any order: Init, starts, engine events with extreme records, clicks, message box
// answers, the proxy dialog used inside its modal run, Close, Release, and a launcher that
// lets go of the window from inside its own callbacks. The sanitizers watch every step; at
// the end no engine, dialog or component may be left. (Calls that reach the window after the
// launcher let go of it are asserted and then served, so assertions are expected here.)
// ORV_RANDOM_SEQUENCES sets how many sequences run (a longer run than the test command's).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

const char* const kButtons[] = {"C2_Button_Cancel", "C2_Button_Retry", "C2_Button_StartGame",
                                "C2_Button_Proxy"};
const char* const kHostCalls[] = {"GetUIEngine", "GetProxyConfig", "GetClientInfo",
                                  "SetProxyConfig", "ReportStat"};
const std::uint32_t kExtremes[] = {0,    1,       99,      100,        101,
                                   1024, 1048576, 1048577, 0x7FFFFFFF, 0xFFFFFFFF};

class RandomSequences : public UpdateWindowTest {
 protected:
  std::uint32_t Pick(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }
  std::uint32_t Extreme() { return kExtremes[Pick(sizeof kExtremes / sizeof *kExtremes)]; }

  void EngineEvent() {
    IUpdateEngineEvent* events = testbed.control()->NewestEngineListener();
    if (events == nullptr) return;
    UpdateProgressInfo info;
    std::memset(&info, Pick(2) ? 'x' : 0, sizeof info);  // 'x': an unterminated version
    info.valid = Pick(4) != 0;
    info.file_size = Extreme();
    info.speed = Extreme();
    info.percent = Extreme();
    info.phase = Pick(4);
    info.update_kind = Pick(3);
    switch (Pick(6)) {
      case 0: events->OnUpdateProgress(&info); break;
      case 1: events->OnNeedUpdate(); break;
      case 2: events->OnUpdateSuccess(); break;
      case 3: events->OnUpdateFail(Extreme()); break;
      case 4: events->OnUpdateFinish(); break;
      default: events->OnStageTiming(); break;
    }
  }

  // Inside the dialog's modal run: a few choices, texts and clicks, then whatever ends it.
  static bool DialogStep(void* context) {
    auto* self = static_cast<RandomSequences*>(context);
    IUILayoutEngine* dialog = self->testbed.control()->FindEngineByWindow("Dlg_ProxySetting");
    if (dialog == nullptr || !self->testbed.control()->InModalRun(dialog) || self->Pick(5) == 0)
      return false;
    testbed::ITestbedControl* control = self->testbed.control();
    switch (self->Pick(5)) {
      case 0:
        control->SelectComboItem(dialog, "Dlg_Type_Combo", static_cast<int>(self->Pick(3)));
        break;
      case 1:
        control->TypeText(dialog, "Dlg_Adress_Edt", std::string(self->Pick(40), 'a').c_str());
        break;
      case 2:
        control->TypeText(dialog, "Dlg_Port_Edt", std::to_string(self->Extreme()).c_str());
        break;
      case 3:
        control->Click(dialog, self->Pick(2) ? "Dlg_ProxySetting_OK_Btn" : "Dlg_Close_Btn");
        break;
      default: self->release_in_ = kHostCalls[self->Pick(5)]; break;
    }
    return true;
  }

  static int Answer(void* context, const char*, const char*, std::uint32_t) {
    auto* self = static_cast<RandomSequences*>(context);
    if (self->Pick(4) == 0) self->ReleaseWindow();  // the launcher lets go while the box is up
    const int answers[] = {1, 2, 6, 7};
    return answers[self->Pick(4)];
  }

  void Step() {
    if (update == nullptr) {
      update = CreateWindow();
      ASSERT_NE(nullptr, update);
    }
    switch (Pick(10)) {
      case 0: InitWindow(Pick(2)); break;
      case 1: update->StartUpdate(Extreme()); break;
      case 2:
      case 3: EngineEvent(); break;
      case 4:
      case 5: Press(kButtons[Pick(4)]); break;
      case 6: release_in_ = kHostCalls[Pick(5)]; break;
      case 7:
        update->Close();
        if (Pick(2) != 0) ReleaseWindow();  // as launchers do; calls after Close are misuse
        break;
      case 8: ReleaseWindow(); break;
      default: update->SetShowProxyButton(static_cast<int>(Pick(2))); break;
    }
    Pump();
  }

  std::mt19937 random_;
  std::string
      release_in_;  // the launcher lets go of the window, once, inside the next call of that name
};

TEST_F(RandomSequences, LeaveNothingBehind) {
  const char* requested = std::getenv("ORV_RANDOM_SEQUENCES");
  const int sequences = requested != nullptr ? std::atoi(requested) : 3000;
  // The scenario's steps play into whichever window started last; timing only, so events
  // come from the sequence itself.
  SetScenario("0 need\n0 timing\n");
  testbed.control()->SetIdleHandler(&RandomSequences::DialogStep, this);
  host.during = [this](const std::string& call) {
    if (call != release_in_ || update == nullptr) return;
    release_in_.clear();
    ReleaseWindow();
  };
  testbed.control()->SetMessageBoxResponder(&RandomSequences::Answer, this);
  for (int seed = 1; seed <= sequences; ++seed) {
    random_.seed(static_cast<std::mt19937::result_type>(seed));
    // Each sequence in a launcher window of its own: every Init loads the view into it again.
    window_ui->Release(0);
    window_ui = testbed.control()->CreateWindowEngine("MainWindow");
    host.ui = window_ui;
    for (int step = 0; step < 40; ++step) ASSERT_NO_FATAL_FAILURE(Step()) << "seed " << seed;
    release_in_.clear();
    ReleaseWindow();
    Pump();
    ASSERT_EQ(nullptr, testbed.control()->NewestEngineListener())
        << "seed " << seed << ": an engine outlived its window";
    ASSERT_EQ(1, testbed.control()->UIEngineCount())
        << "seed " << seed << ": a dialog outlived its window";
    ASSERT_EQ(1, ModuleCanUnloadNow()) << "seed " << seed << ": a component is left";
    testbed.ClearJournal();  // records of earlier sequences only cost time
    debug.Take();
  }
  testbed.control()->SetIdleHandler(nullptr, nullptr);
  testbed.control()->SetMessageBoxResponder(nullptr, nullptr);
  host.during = nullptr;
}

}  // namespace
}  // namespace orv::testing
