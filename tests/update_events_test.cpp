// The update window's answers to the engine's events: the progress texts, bar and controls,
// the statistics and their order, the finish, failure and success views, and the log lines.
// The engine is the testbed's; a test that looks at the view between two events plays the
// scenario one step at a time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/process_info.h"
#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

// Longer than any duration of a test run, far below a difference taken the wrong way round.
constexpr std::uint32_t kPlausibleMs = 600000;

const std::vector<const char*> kResultView = {
    "Update_Container", "StartGame_Container", "C2_Static_StartGame", "C2_Static_UpdateFail",
    "C2_Button_Cancel", "C2_Button_Retry",     "C2_Button_StartGame"};
const std::vector<const char*> kProgressTexts = {
    "C2_Static_UpdateVersion", "C2_Static_FileSize",        "C2_Static_DownloadSpeed",
    "C2_Static_LeftTime",      "C2_Static_DownloadProcess", "C2_Static_IntallProcess",
    "C2_Static_Installing",    "C2_Static_UpdateSuccess"};

std::string Progress(int phase, std::uint32_t percent, std::uint32_t size, std::uint32_t speed,
                     const std::string& more = "") {
  return "0 progress phase=" + std::to_string(phase) + " percent=" + std::to_string(percent) +
         " size=" + std::to_string(size) + " speed=" + std::to_string(speed) + " " + more + "\n";
}

class UpdateEvents : public UpdateWindowTest {
 protected:
  std::string MoreConfiguration() override { return "[Log]\nDebugMask=3\nFileMask=0\n"; }

  int Played() { return JournalCount("UpdateEngine -> "); }
  // Plays the next `steps` steps and leaves the rest queued.
  void Play(int steps = 1) {
    struct Goal {
      UpdateEvents* self;
      int played;
    } goal{this, Played() + steps};
    testbed.control()->RunUntil(
        [](void* g) {
          return static_cast<Goal*>(g)->self->Played() >= static_cast<Goal*>(g)->played;
        },
        &goal);
  }
  Stats TakeStats() { return std::exchange(host.stats, {}); }
  // The codes taken, each duration checked for being plausible.
  std::vector<std::uint32_t> TakeCodes() {
    std::vector<std::uint32_t> codes;
    for (const auto& [code, value] : TakeStats()) {
      codes.push_back(code);
      EXPECT_TRUE((code != 4 && code != 5 && code != 10) || value < kPlausibleMs)
          << code << " " << value;
    }
    return codes;
  }

  // Which of `names` are shown (their own flags; a container may still hide them).
  std::string Shown(const std::vector<const char*>& names = kResultView) {
    std::string shown;
    for (const char* name : names) {
      if (Visible(name)) shown += std::string(shown.empty() ? "" : " ") + name;
    }
    return shown;
  }
  // The progress texts shown, the result view's controls shown, the bar, Cancel enabled.
  std::string View() {
    std::string view = Shown(kProgressTexts) + " / " + Shown() + " / " +
                       std::to_string(State("C2_Process_Level").position) +
                       (Enabled("C2_Button_Cancel") ? " / can cancel" : "");
    for (size_t at = view.find("C2_"); at != std::string::npos; at = view.find("C2_", at))
      view.erase(at, 3);
    return view;
  }

  // The progress view as a person sees it, buttons aside: what is shown, every text, the bar.
  std::string Snapshot() {
    std::string seen =
        Shown({"Container_ProcessBackGround", "Update_Container", "StartGame_Container",
               "C2_Static_StartGame", "C2_Static_UpdateFail"});
    for (const char* name : kProgressTexts)
      seen += std::string("|") + (Visible(name) ? "" : "hidden ") + Text(name);
    return seen + "|" + std::to_string(State("C2_Process_Level").position);
  }

  // The window's own log lines among everything written to the debugger since the last call.
  std::string WindowLines() {
    const std::string output = debug.Take();
    std::string lines;
    for (size_t at = output.find(head); at != std::string::npos; at = output.find(head, at + 1)) {
      lines += output.substr(at, output.find('\n', at) - at + 1);
    }
    return lines;
  }

  const std::string head = "[T" + std::to_string(platform::CurrentThreadId()) + "][M1374]";
};

TEST_F(UpdateEvents, ProgressTextsAndTheSizeStatistic) {
  struct Row {
    std::uint32_t percent, size, speed;
    const char *size_text, *speed_text;
    std::int64_t size_stat;    // -1: not reported
    const char* left_time;     // null: not checked
    bool retry_first = false;  // the record comes from a new start
  };
  const Row rows[] = {
      // The remaining time is what is left of the size at the average speed, which every
      // event halves towards its own speed: 0, 1000, 2000, then across a new start 1000.
      {0, 3600000, 0, "3.4 MB", "0 B/s", 3686400000, "未知"},
      {0, 3600000, 1000, "3.4 MB", "1000 B/s", 3686400000, "1:0:0"},
      {0, 3600000, 3000, "3.4 MB", "2 KB/s", 3686400000, "0:30:0"},
      {0, 3600000, 0, "3.4 MB", "0 B/s", 3686400000, "1:0:0", true},
      {50, 10485760, 2096152, "10.0 MB", "1 MB/s", 2147483648,
       "0:0:5"},  // (1000 + 2096152) / 2: 1 MB/s
      {0, 3905945600u, 1048576, "3725.0 MB", "1024 KB/s", 1073741824, "1:2:5"},  // no leading zeros
      {0, 8388607, 1048576, "8.0 MB", "1024 KB/s", 4294966272, "0:0:7"},         // 7.99 s: cut
      {40, 0, 1048576, "0 B", "1024 KB/s", -1, "未知"},
      {150, 1000, 1048576, "1000 B", "1024 KB/s", 0, "0:0:0"},
      // Above 1 MB in MB, above 1 KB in KB; the statistic is the size shifted in 32 bits (the
      // top bits are lost) or cut to KB.
      {40, 1048576, 1048576, "1024.0 KB", "1024 KB/s", 1048576, nullptr},
      {40, 1048577, 1048577, "1.0 MB", "1 MB/s", 1073742848, nullptr},
      {40, 4194305, 2047, "4.0 MB", "1 KB/s", 1024, nullptr},
      {40, 4294967295u, 4294967295u, "4096.0 MB", "4095 MB/s", 4294966272, nullptr},
      {40, 1025, 1025, "1.0 KB", "1 KB/s", 1025, nullptr},
      {40, 1024, 1024, "1024 B", "1024 B/s", 1, nullptr},
      {40, 1023, 1023, "1023 B", "1023 B/s", 0, nullptr},
  };
  std::string scenario;
  for (const Row& row : rows) {
    scenario += (row.retry_first ? "0 fail code=1\nnext-start\n" : "") +
                Progress(1, row.percent, row.size, row.speed);
  }
  Begin(scenario + "0 finish\n");
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.size) + " at " + std::to_string(row.speed));
    if (row.retry_first) {
      Play();
      ASSERT_TRUE(Click("C2_Button_Retry"));
    }
    TakeStats();
    Play();
    EXPECT_EQ(std::string("文件大小：") + row.size_text, Text("C2_Static_FileSize"));
    EXPECT_EQ(std::string("下载速度：") + row.speed_text, Text("C2_Static_DownloadSpeed"));
    EXPECT_EQ("已下载：" + std::to_string(row.percent) + "%", Text("C2_Static_DownloadProcess"));
    EXPECT_EQ("已安装：0%", Text("C2_Static_IntallProcess"));
    if (row.left_time != nullptr) {
      EXPECT_EQ(std::string("剩余时间：") + row.left_time, Text("C2_Static_LeftTime"));
    }
    Stats expected = {{3, 1}};
    if (row.size_stat >= 0) expected.emplace_back(6, static_cast<std::uint32_t>(row.size_stat));
    EXPECT_EQ(expected, TakeStats());
  }
  Play();  // no install phase in this run: it took no install time
  EXPECT_EQ((Stats{{4, 0}}), TakeStats());
}

TEST_F(UpdateEvents, ThePhaseDecidesTextsControlsAndTheBar) {
  Begin(Progress(1, 40, 10485760, 524288, "version=2.1.0") +
        Progress(3, 40, 2048, 2048, "version=${LATESTVERSION}") + Progress(1, 0, 10485760, 1) +
        Progress(1, 150, 10485760, 1) + Progress(1, 100, 10485760, 1) +
        Progress(2, 0, 10485760, 0) + Progress(2, 30, 10485760, 0, "version=2.2.0") +
        Progress(2, 100, 10485760, 0));
  EXPECT_EQ(100, State("C2_Process_Level").range_max);
  const std::string download =
      "Static_UpdateVersion Static_FileSize Static_DownloadSpeed Static_LeftTime "
      "Static_DownloadProcess / Update_Container Static_StartGame Button_Cancel / ";
  const std::string install =
      "Static_IntallProcess Static_Installing / Update_Container Static_StartGame Button_Cancel / ";
  EXPECT_EQ(download + "0 / can cancel", View());
  Play();
  EXPECT_EQ(download + "40 / can cancel", View());
  EXPECT_EQ("正在下载 2.1.0 版本", Text("C2_Static_UpdateVersion"));
  EXPECT_TRUE(Visible("Container_ProcessBackGround"));
  EXPECT_EQ(1, State("C2_Container").on_screen);  // the root view is back

  // No known phase: both percentages 0, nothing shown or hidden. Every event fills the
  // layout's texts, not the ones the last event left; a version that is the placeholder
  // itself is put in once.
  Play();
  EXPECT_EQ(download + "40 / can cancel", View());
  EXPECT_EQ("已下载：0%", Text("C2_Static_DownloadProcess"));
  EXPECT_EQ("正在下载 ${LATESTVERSION} 版本", Text("C2_Static_UpdateVersion"));
  EXPECT_EQ("文件大小：2.0 KB", Text("C2_Static_FileSize"));
  EXPECT_EQ("下载进度 : ", Text("C2_Static_Process"));
  Play(2);  // 0 and a percentage past 100 leave the bar where it was
  EXPECT_EQ(download + "40 / can cancel", View());
  Play();  // 100 ends the download: too late to cancel
  EXPECT_EQ(download + "100", View());
  EXPECT_EQ("下载升级包完成", Text("C2_Static_UpdateVersion"));
  Play();  // the install phase starts at 0: the bar keeps the download's position
  EXPECT_EQ(install + "100", View());
  Play();
  EXPECT_EQ(install + "30", View());
  EXPECT_EQ("已下载：0%", Text("C2_Static_DownloadProcess"));
  EXPECT_EQ("已安装：30%", Text("C2_Static_IntallProcess"));
  EXPECT_EQ("正在安装 2.2.0，请稍候……", Text("C2_Static_Installing"));
  Play();
  EXPECT_EQ(
      "Static_IntallProcess Static_UpdateSuccess / Update_Container Static_StartGame "
      "Button_StartGame / 100",
      View());
  ASSERT_TRUE(Click("C2_Button_StartGame"));  // on screen and enabled
  Pump();
  EXPECT_EQ(1, host.start_game_count);
}

TEST_F(UpdateEvents, ARecordMarkedInvalidOnlyStoresPhaseAndKind) {
  files.Write("liveupdateinfo.ini",
              "[canceladviseupdatewhendownload]\nNotice=Stop the advised update?\n"
              "[cancelupdatewheninstall]\nNotice=Installing, cannot stop.\n");
  Begin(Progress(2, 40, 10485760, 524288, "version=2.1.0 kind=2 valid=0"));
  const std::string before = Snapshot();
  Play();
  EXPECT_EQ(0, ConnectingDialogs());
  EXPECT_EQ(before, Snapshot());
  EXPECT_EQ(0, State("C2_Container").on_screen);  // the root view stays hidden

  // Cancel asks about the kind of update the record named, and the phase says it is too late.
  testbed.control()->PushMessageBoxAnswer(6);
  ASSERT_TRUE(Press("C2_Button_Cancel"));
  Pump();
  EXPECT_TRUE(JournalInOrder(
      {"<font>Stop the advised update?</font>) -> 6", "<font>Installing, cannot stop.</font>"}));
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
  EXPECT_TRUE(host.stats.empty());
  EXPECT_EQ(before, Snapshot());
}

TEST_F(UpdateEvents, StatisticsInOrderAndDurationsOncePerStart) {
  Begin(Progress(1, 50, 2048, 1000) + Progress(2, 10, 2048, 0) + Progress(2, 20, 2048, 0) +
        "0 timing\n0 timing\n0 finish\n");
  Play();
  EXPECT_EQ((Stats{{3, 1}, {6, 2048}}), TakeStats());
  Play();  // the first install-phase event: the download's duration
  EXPECT_EQ((std::vector<std::uint32_t>{3, 5, 6}), TakeCodes());
  Play();
  EXPECT_EQ((Stats{{3, 1}, {6, 2048}}), TakeStats());
  Play(2);  // the start's duration, once
  EXPECT_EQ((std::vector<std::uint32_t>{10}), TakeCodes());
  const std::string before = Snapshot();
  Play();  // the finish after progress: only the install time, and the view stays
  EXPECT_EQ((std::vector<std::uint32_t>{4}), TakeCodes());
  EXPECT_EQ(before, Snapshot());
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ(1, State("C2_Container").on_screen);
  EXPECT_TRUE(Visible("C2_Button_Proxy") && Enabled("C2_Button_Proxy"));

  // A new start reports both durations again, also when it begins with the install phase. A
  // retry without one then took no install time: the earlier install start is no measure.
  SetScenario(Progress(2, 50, 0, 0) + Progress(2, 60, 0, 0) +
              "0 timing\n0 timing\n0 fail code=1\nnext-start\n" + Progress(1, 50, 2048, 1000) +
              "0 finish\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  EXPECT_EQ((std::vector<std::uint32_t>{3, 5, 3, 10, 8}), TakeCodes());
  std::this_thread::sleep_for(std::chrono::milliseconds(60));  // a stale difference would show
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ((Stats{{3, 1}, {6, 2048}, {4, 0}}), TakeStats());
}

TEST_F(UpdateEvents, FinishWithoutAnUpdate) {
  Begin("0 finish\n");
  EXPECT_FALSE(Enabled("C2_Button_Proxy"));  // while the update runs
  Pump();
  EXPECT_FALSE(Visible("C2_Container"));
  EXPECT_EQ(1, host.start_game_count);
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), TakeStats());
  EXPECT_EQ(1, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
  EXPECT_EQ(0, ConnectingDialogs());
  EXPECT_TRUE(Visible("C2_Button_Proxy") && Enabled("C2_Button_Proxy"));

  // A retry that finds nothing to do after a run with progress reports nothing: that run
  // reported its progress.
  SetScenario(Progress(1, 10, 100, 10) + "0 fail code=1\nnext-start\n0 finish\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  TakeStats();
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(2, host.start_game_count);
  EXPECT_FALSE(Visible("C2_Container"));
  EXPECT_TRUE(TakeStats().empty());
}

// The launcher may let go of the window from inside any call the window makes on it; the
// window stays in memory until the handler returns, and the handler goes on to its end.
TEST_F(UpdateEvents, HandlersGoOnWhenTheLauncherLetsGoInsideThem) {
  // In OnStartGame, as a launcher does: the finish still reports and logs.
  Begin("0 finish\n");
  host.on_start_game = [&] { ReleaseWindow(); };
  WindowLines();
  Pump();
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), TakeStats());
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnUpdateSuccess\n", WindowLines());
  EXPECT_EQ(1, ModuleCanUnloadNow());
  host.on_start_game = nullptr;

  // In the progress event's first statistic: the event reports and shows the rest, and an
  // engine event that comes after Close (a caller's fault, asserted) is served in full.
  update = CreateWindow();
  Begin(Progress(1, 40, 2048, 1000));
  IUpdateEngineEvent* events = testbed.control()->NewestEngineListener();
  bool released = false;
  host.during = [&](const std::string& call) {
    if (call != "ReportStat" || released) return;
    released = true;
    ReleaseWindow();
    events->OnUpdateFail(7);
  };
  Pump();
  host.during = nullptr;
  EXPECT_EQ((Stats{{3, 1}, {8, 7}, {6, 2048}}), TakeStats());
  EXPECT_NE(std::string::npos, Text("C2_Static_FileSize").find("2.0 KB"));
  const std::string output = debug.Take();
  EXPECT_NE(std::string::npos, output.find("Orvex[Assert]"));
  EXPECT_NE(std::string::npos, output.find("[Error]CUpdateLogic::OnUpdateFail"));
  EXPECT_EQ(1, ModuleCanUnloadNow());

  // In the download's duration: the install starts when the report is done.
  update = CreateWindow();
  Begin(Progress(1, 50, 2048, 1000) + Progress(2, 100, 2048, 0) + "0 finish\n");
  host.during = [&](const std::string& call) {
    if (call == "ReportStat" && host.stats.back().first == 5)
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
  };
  Pump();
  host.during = nullptr;
  const Stats stats = TakeStats();
  ASSERT_EQ(4u, stats.back().first);
  EXPECT_LT(stats.back().second, 100u);
}

TEST_F(UpdateEvents, FinishWithoutAnUpdateWhenEmbeddedShowsTheStartGameView) {
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Orv\n");
  Begin("0 finish\n", 1, 1);
  update->SetShowProxyButton(0);
  Pump();
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ(1, State("C2_Container").on_screen);
  // Cancel stays as the start left it; Retry is not offered.
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_Cancel C2_Button_StartGame",
            Shown());
  EXPECT_TRUE(Enabled("C2_Button_StartGame"));
  EXPECT_FALSE(Visible("Container_ProcessBackGround"));
  EXPECT_EQ("Orv已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
  EXPECT_FALSE(Enabled("C2_Button_Proxy"));  // turned off: not brought back
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), TakeStats());
}

TEST_F(UpdateEvents, FailureShowsTheErrorTipOrKeepsTheProgressView) {
  files.Write(
      "liveupdateinfo.ini",
      "[10002]\nStatic=Tip ${ERRORCODE} for ${PROJECTNAME}\n[-5]\nStatic=Negative ${ERRORCODE}\n"
      "[DefaultErrorCodeTip]\nStatic=Error ${ERRORCODE} in ${PROJECTNAME}\n");
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Orv\n");
  Begin("0 fail code=10002\n");
  WindowLines();
  Pump();
  EXPECT_EQ(head + "[Error]CUpdateLogic::OnUpdateFail\n", WindowLines());
  EXPECT_EQ(1, State("C2_Container").on_screen);
  EXPECT_EQ("StartGame_Container C2_Static_UpdateFail C2_Button_Retry", Shown());
  EXPECT_EQ("Tip 10002 for Orv", Text("C2_Static_UpdateFail"));
  EXPECT_EQ(1, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
  EXPECT_EQ(0, ConnectingDialogs());
  const auto retry_failing_with = [&](const std::string& scenario) {
    SetScenario(scenario);
    EXPECT_TRUE(Click("C2_Button_Retry"));
    Pump();
    return Text("C2_Static_UpdateFail");
  };
  EXPECT_EQ("Error 77 in Orv", retry_failing_with("0 fail code=77\n"));  // no tip of its own
  // A code from 2147483648 up is a negative number, in the text and in the lookup.
  EXPECT_EQ("Negative -5", retry_failing_with("0 fail code=4294967291\n"));
  EXPECT_EQ("Error -2147483648 in Orv", retry_failing_with("0 fail code=2147483648\n"));
  EXPECT_EQ((Stats{{8, 10002}, {8, 77}, {8, 4294967291u}, {8, 2147483648u}}), TakeStats());

  // No error to tell: the start-game view, Retry hidden again, Cancel still hidden; without a
  // project name the game's default one.
  files.Remove("taskinfo.ini");
  retry_failing_with("0 fail code=0\n");
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ("游戏已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));

  // After progress the progress view stays as it was, with Retry in place of Cancel.
  SetScenario(Progress(1, 40, 10485760, 1048576, "version=2.1.0") + "0 fail code=10002\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Play();
  const std::string before = Snapshot();
  TakeStats();
  Play();
  EXPECT_EQ("Update_Container C2_Static_StartGame C2_Button_Retry", Shown());
  EXPECT_TRUE(Enabled("C2_Button_Retry"));
  EXPECT_EQ(before, Snapshot());
  EXPECT_EQ((Stats{{8, 10002}}), TakeStats());
}

TEST_F(UpdateEvents, SuccessShowsTheStartGameViewWithTheProjectName) {
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Orv\n");
  Begin("0 need\n" + Progress(2, 100, 2048, 0) + "0 timing\n0 success\n0 finish\n");
  EXPECT_EQ("Orv已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));  // filled by the start
  WindowLines();
  Play(3);  // need, progress, timing
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnNeedUpdate\n", WindowLines());
  Play();
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnUpdateSuccess\n", WindowLines());
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));  // the finish lets go of the engine
  Play();
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnUpdateSuccess\n", WindowLines());  // the finish's line
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ(0, host.start_game_count);

  // Each start fills them from the layout text again.
  files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=Next\n");
  SetScenario("option\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Pump();
  EXPECT_EQ("Next已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
}

}  // namespace
}  // namespace orv::testing
