// The update window's answers to the engine's events: the progress texts, bar and controls,
// the statistics and their order, the finish, failure and success views, and the log lines.
// The engine is the testbed's; a test that looks at the view between two events plays the
// scenario one step at a time.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/module_handle.h"
#include "platform/process_info.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/update_window_fixture.h"

namespace orv::testing {
namespace {

using Stats = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// Longer than any duration of a test run, far below a difference taken the wrong way round.
constexpr std::uint32_t kPlausibleMs = 600000;

// The result view's containers, texts and buttons, and the progress view's texts.
const std::vector<const char*> kResultView = {
    "Update_Container", "StartGame_Container", "C2_Static_StartGame", "C2_Static_UpdateFail",
    "C2_Button_Cancel", "C2_Button_Retry",     "C2_Button_StartGame"};
const std::vector<const char*> kProgressTexts = {"C2_Static_UpdateVersion",   "C2_Static_FileSize",
                                                 "C2_Static_DownloadSpeed",   "C2_Static_LeftTime",
                                                 "C2_Static_DownloadProcess", "C2_Static_IntallProcess",
                                                 "C2_Static_Installing",      "C2_Static_UpdateSuccess"};

std::string Progress(int phase, std::uint32_t percent, std::uint32_t size, std::uint32_t speed,
                     const std::string& more = "") {
  return "0 progress phase=" + std::to_string(phase) + " percent=" + std::to_string(percent) +
         " size=" + std::to_string(size) + " speed=" + std::to_string(speed) +
         (more.empty() ? "" : " " + more) + "\n";
}

class UpdateEvents : public UpdateWindowTest {
 protected:
  // Init (embedded or not), then a start whose engine plays `scenario`.
  void Begin(const std::string& scenario, std::uint32_t embedded = 0) {
    ASSERT_EQ(1, InitWindow(embedded));
    SetScenario(scenario);
    ASSERT_EQ(1, update->StartUpdate(1));
  }

  int Played() { return JournalCount("UpdateEngine -> "); }
  // Plays the next `steps` steps and leaves the rest queued.
  void Play(int steps = 1) {
    const int target = Played() + steps;
    RunWhile([&] { return Played() < target; });
  }
  // Runs the loop until the journal holds `line` (a click handled while steps are queued).
  void RunUntilJournal(const std::string& line) {
    RunWhile([&] { return JournalCount(line) == 0; });
  }
  template <class Pending>
  void RunWhile(Pending pending) {
    testbed.control()->RunUntil([](void* context) { return !(*static_cast<Pending*>(context))(); }, &pending);
  }

  Stats TakeStats() {
    Stats taken;
    taken.swap(host.stats);
    return taken;
  }
  static std::vector<std::uint32_t> Codes(const Stats& stats) {
    std::vector<std::uint32_t> codes;
    for (const auto& stat : stats) codes.push_back(stat.first);
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

  // Shown and enabled flags of the progress view's controls.
  std::string Flags() {
    std::string flags;
    std::vector<const char*> names = kProgressTexts;
    names.insert(names.end(), {"Container_ProcessBackGround", "C2_Button_Cancel", "C2_Button_Retry",
                               "C2_Button_StartGame"});
    for (const char* name : names) {
      const testbed::ControlState state = State(name);
      flags += std::string(name) + "=" + std::to_string(state.visible) + std::to_string(state.enabled) + " ";
    }
    return flags;
  }

  // What a person sees of the window, but for the proxy button and the root window.
  std::string Snapshot() {
    std::string texts;
    for (const char* name : kProgressTexts) texts += Text(name) + "|";
    return Flags() + Shown() + "|" + texts + Text("C2_Static_UpdateFail") + "|" +
           std::to_string(State("C2_Process_Level").position);
  }

  void WriteErrorTips() {
    files.Write("liveupdateinfo.ini",
                "[10002]\nStatic=Tip ${ERRORCODE} for ${PROJECTNAME}\n"
                "[-5]\nStatic=Negative ${ERRORCODE}\n"
                "[DefaultErrorCodeTip]\nStatic=Error ${ERRORCODE} in ${PROJECTNAME}\n");
  }
  void WriteProjectName(const std::string& name) {
    files.Write("taskinfo.ini", "[ProjectOption]\nprojectname=" + name + "\n");
  }
};

TEST_F(UpdateEvents, SizeAndSpeedTextsAndTheSizeStatisticAtTheThresholds) {
  struct Case {
    std::uint32_t size;
    const char* size_text;
    Stats stats;
    std::uint32_t speed;
    const char* speed_text;
  };
  const Case cases[] = {
      {1048576, "1024.0 KB", {{3, 1}, {6, 1048576}}, 1048576, "1024 KB/s"},
      {1048577, "1.0 MB", {{3, 1}, {6, 1048577u << 10}}, 1048577, "1 MB/s"},
      // Shifted in 32 bits: the top bits are lost.
      {4194305, "4.0 MB", {{3, 1}, {6, 1024}}, 2047, "1 KB/s"},
      {4294967295u, "4096.0 MB", {{3, 1}, {6, 4294966272u}}, 4294967295u, "4095 MB/s"},
      {1025, "1.0 KB", {{3, 1}, {6, 1025}}, 1025, "1 KB/s"},
      {1024, "1024 B", {{3, 1}, {6, 1}}, 1024, "1024 B/s"},
      {1023, "1023 B", {{3, 1}, {6, 0}}, 1023, "1023 B/s"},  // reported: the size is not 0
      {0, "0 B", {{3, 1}}, 0, "0 B/s"},
  };
  std::string scenario;
  for (const Case& c : cases) scenario += Progress(1, 40, c.size, c.speed);
  Begin(scenario);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    TakeStats();
    Play();
    EXPECT_EQ(std::string("文件大小：") + c.size_text, Text("C2_Static_FileSize"));
    EXPECT_EQ(std::string("下载速度：") + c.speed_text, Text("C2_Static_DownloadSpeed"));
    EXPECT_EQ(c.stats, TakeStats());
  }
}

TEST_F(UpdateEvents, RemainingTimeFollowsTheAverageSpeedAcrossEventsAndStarts) {
  // With 3,600,000 bytes left the remaining time is 3,600,000 / average seconds.
  Begin(Progress(1, 0, 3600000, 0) + Progress(1, 0, 3600000, 1000) + Progress(1, 0, 3600000, 3000) +
        Progress(1, 0, 3600000, 0) + "0 fail code=1\n");
  const char* const expected[] = {"未知", "1:0:0", "0:30:0", "1:0:0"};  // 0, 1000, 2000, 1000
  for (const char* text : expected) {
    Play();
    EXPECT_EQ(std::string("剩余时间：") + text, Text("C2_Static_LeftTime"));
  }
  Play();

  // A new start keeps the average: (1000 + 3000) / 2, not 3000.
  SetScenario(Progress(1, 0, 3600000, 3000));
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(2, JournalCount("UpdateEngine.Advise(0)"));
  EXPECT_EQ("剩余时间：0:30:0", Text("C2_Static_LeftTime"));
}

TEST_F(UpdateEvents, RemainingTimeText) {
  // Every event at 1 MB/s, so that the average stays 1,048,576.
  Begin(Progress(1, 50, 10485760, 1048576) + Progress(1, 0, 3905945600u, 1048576) +
        Progress(1, 0, 8388607, 1048576) + Progress(1, 40, 0, 1048576) + Progress(1, 100, 1000, 1048576) +
        Progress(1, 150, 1000, 1048576));
  const char* const expected[] = {
      "0:0:5",
      "1:2:5",  // 3,725 s, without leading zeros
      "0:0:7",  // 7.99 s: cut, not rounded
      "未知",   // nothing to download
      "0:0:0",
      "0:0:0",  // past 100 percent
  };
  for (const char* text : expected) {
    Play();
    EXPECT_EQ(std::string("剩余时间：") + text, Text("C2_Static_LeftTime"));
  }
}

TEST_F(UpdateEvents, PercentagesTextsAndControlsFollowThePhase) {
  Begin(Progress(1, 40, 10485760, 524288, "version=2.1.0") +
        Progress(3, 40, 2048, 2048, "version=${LATESTVERSION}") +
        Progress(2, 40, 10485760, 1048576, "version=2.2.0"));
  Play();
  EXPECT_EQ("已下载：40%", Text("C2_Static_DownloadProcess"));
  EXPECT_EQ("已安装：0%", Text("C2_Static_IntallProcess"));
  EXPECT_EQ("正在下载 2.1.0 版本", Text("C2_Static_UpdateVersion"));
  EXPECT_EQ("文件大小：10.0 MB", Text("C2_Static_FileSize"));
  EXPECT_EQ("下载速度：512 KB/s", Text("C2_Static_DownloadSpeed"));
  EXPECT_EQ(
      "C2_Static_UpdateVersion C2_Static_FileSize C2_Static_DownloadSpeed C2_Static_LeftTime "
      "C2_Static_DownloadProcess",
      Shown(kProgressTexts));
  EXPECT_TRUE(Visible("Container_ProcessBackGround"));
  EXPECT_TRUE(Enabled("C2_Button_Cancel"));
  EXPECT_EQ("Update_Container C2_Static_StartGame C2_Button_Cancel", Shown());
  EXPECT_EQ(1, State("C2_Container").on_screen);  // the root view is back
  const std::string download_flags = Flags();

  Play();  // no known phase: both percentages 0, nothing shown or hidden
  EXPECT_EQ("已下载：0%", Text("C2_Static_DownloadProcess"));
  EXPECT_EQ("已安装：0%", Text("C2_Static_IntallProcess"));
  EXPECT_EQ(download_flags, Flags());
  // Every event fills the layout's texts, not the ones the last event left; a version that
  // is the placeholder itself is put in once.
  EXPECT_EQ("文件大小：2.0 KB", Text("C2_Static_FileSize"));
  EXPECT_EQ("正在下载 ${LATESTVERSION} 版本", Text("C2_Static_UpdateVersion"));
  EXPECT_EQ("下载进度 : ", Text("C2_Static_Process"));
  EXPECT_EQ("更新完成", Text("C2_Static_UpdateSuccess"));

  Play();
  EXPECT_EQ("已下载：0%", Text("C2_Static_DownloadProcess"));
  EXPECT_EQ("已安装：40%", Text("C2_Static_IntallProcess"));
  EXPECT_EQ("正在安装 2.2.0，请稍候……", Text("C2_Static_Installing"));
  EXPECT_EQ("C2_Static_IntallProcess C2_Static_Installing", Shown(kProgressTexts));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
  EXPECT_FALSE(Enabled("C2_Button_Cancel"));
}

TEST_F(UpdateEvents, ARecordMarkedInvalidOnlyStoresPhaseAndKind) {
  files.Write("liveupdateinfo.ini",
              "[cancelupdatewhendownload]\nNotice=Stop the required update?\n"
              "[canceladviseupdatewhendownload]\nNotice=Stop the advised update?\n"
              "[cancelupdatewheninstall]\nNotice=Installing, cannot stop.\n");
  // The second record comes later, so that a click can come between the two.
  Begin(Progress(1, 40, 10485760, 524288, "version=2.1.0 kind=2 valid=0") +
        "1000 progress phase=2 percent=40 size=10485760 speed=524288 version=2.1.0 kind=1 valid=0\n");
  EXPECT_EQ(1, ConnectingDialogs());
  const std::string before = Snapshot();
  Play();
  EXPECT_EQ(0, ConnectingDialogs());
  EXPECT_TRUE(host.stats.empty());
  EXPECT_EQ(before, Snapshot());
  EXPECT_EQ("文件大小：${FILESIZE}", Text("C2_Static_FileSize"));
  EXPECT_EQ(0, State("C2_Container").on_screen);  // the root view stays hidden

  // Cancel asks about the kind of update the record named: an advised one.
  testbed.control()->PushMessageBoxAnswer(7);
  ASSERT_TRUE(Press("C2_Button_Cancel"));
  RunUntilJournal("<font>Stop the advised update?</font>) -> 7");
  EXPECT_EQ(1, Played());

  // Then a required update in its install phase: too late to stop.
  Play();
  testbed.ClearJournal();
  testbed.control()->PushMessageBoxAnswer(6);
  ASSERT_TRUE(Press("C2_Button_Cancel"));
  Pump();
  EXPECT_EQ(1, JournalCount("<font>Stop the required update?</font>) -> 6"));
  EXPECT_EQ(1, JournalCount("<font>Installing, cannot stop.</font>"));
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));
  EXPECT_TRUE(host.stats.empty());
  EXPECT_EQ(before, Snapshot());
}

TEST_F(UpdateEvents, StatisticsInOrderAndDurationsOncePerStart) {
  Begin(Progress(1, 50, 2048, 1000) + Progress(2, 10, 2048, 0) + Progress(2, 20, 2048, 0) +
        "0 timing\n0 timing\n0 fail code=1\n");
  Play();
  EXPECT_EQ((Stats{{3, 1}, {6, 2048}}), TakeStats());
  Play();  // the first install-phase event: the download's duration
  Stats stats = TakeStats();
  ASSERT_EQ((std::vector<std::uint32_t>{3, 5, 6}), Codes(stats));
  EXPECT_LT(stats[1].second, kPlausibleMs);
  Play();
  EXPECT_EQ((Stats{{3, 1}, {6, 2048}}), TakeStats());
  Play();  // the start's duration, once
  stats = TakeStats();
  ASSERT_EQ((std::vector<std::uint32_t>{10}), Codes(stats));
  EXPECT_LT(stats[0].second, kPlausibleMs);
  Play(2);
  EXPECT_EQ((Stats{{8, 1}}), TakeStats());

  // A new start reports both durations again, also when it begins with the install phase.
  SetScenario(Progress(2, 50, 0, 0) + Progress(2, 60, 0, 0) + "0 timing\n0 timing\n");
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ((std::vector<std::uint32_t>{3, 5, 3, 10}), Codes(TakeStats()));
}

TEST_F(UpdateEvents, DownloadAndInstallCompletionAndTheProgressBar) {
  Begin(Progress(1, 40, 10485760, 1048576) + Progress(1, 0, 10485760, 1048576) +
        Progress(1, 150, 10485760, 1048576) + Progress(1, 100, 10485760, 1048576) +
        Progress(2, 0, 10485760, 0) + Progress(2, 30, 10485760, 0) + Progress(2, 100, 10485760, 0));
  EXPECT_EQ(0, State("C2_Process_Level").position);
  EXPECT_EQ(100, State("C2_Process_Level").range_max);
  // 0 and a percentage past 100 leave the bar where it was.
  for (const int position : {40, 40, 40}) {
    Play();
    EXPECT_EQ(position, State("C2_Process_Level").position);
  }

  Play();
  EXPECT_EQ(100, State("C2_Process_Level").position);
  EXPECT_EQ("下载升级包完成", Text("C2_Static_UpdateVersion"));
  EXPECT_TRUE(Visible("C2_Static_UpdateVersion"));
  EXPECT_TRUE(Visible("C2_Button_Cancel"));
  EXPECT_FALSE(Enabled("C2_Button_Cancel"));

  Play();  // the install phase starts at 0: the bar keeps the download's position
  EXPECT_EQ(100, State("C2_Process_Level").position);
  Play();
  EXPECT_EQ(30, State("C2_Process_Level").position);
  EXPECT_EQ("C2_Static_IntallProcess C2_Static_Installing", Shown(kProgressTexts));

  Play();
  EXPECT_EQ(100, State("C2_Process_Level").position);
  EXPECT_EQ("C2_Static_IntallProcess C2_Static_UpdateSuccess", Shown(kProgressTexts));
  EXPECT_EQ("Update_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  ASSERT_TRUE(Click("C2_Button_StartGame"));  // on screen and enabled
  Pump();
  EXPECT_EQ(1, host.start_game_count);
}

TEST_F(UpdateEvents, FinishWithoutAnUpdateStartsTheGameAndReportsOnlyIfNothingWasReported) {
  Begin("0 finish\n");
  EXPECT_FALSE(Enabled("C2_Button_Proxy"));  // while the update runs
  Pump();
  EXPECT_FALSE(Visible("C2_Container"));
  EXPECT_EQ(1, host.start_game_count);
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), TakeStats());
  EXPECT_EQ(1, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
  EXPECT_EQ(0, ConnectingDialogs());
  EXPECT_TRUE(Visible("C2_Button_Proxy") && Enabled("C2_Button_Proxy"));

  // A run with progress, then a retry that finds nothing to do: the earlier run reported its
  // progress, so this finish reports nothing.
  SetScenario(Progress(1, 10, 100, 10) + "0 fail code=1\n");
  ASSERT_EQ(1, update->StartUpdate(1));
  Pump();
  TakeStats();
  SetScenario("0 finish\n");
  ASSERT_TRUE(Click("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(2, host.start_game_count);
  EXPECT_FALSE(Visible("C2_Container"));
  EXPECT_TRUE(TakeStats().empty());
}

TEST_F(UpdateEvents, FinishWithoutAnUpdateWhenEmbeddedShowsTheStartGameView) {
  WriteProjectName("Orv");
  Begin("0 finish\n", 1);
  update->SetShowProxyButton(0);
  Pump();
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ(1, State("C2_Container").on_screen);
  // Cancel stays as the start left it; Retry is not offered.
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_Cancel C2_Button_StartGame", Shown());
  EXPECT_TRUE(Enabled("C2_Button_StartGame"));
  EXPECT_FALSE(Visible("Container_ProcessBackGround"));
  EXPECT_EQ("Orv已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
  EXPECT_FALSE(Enabled("C2_Button_Proxy"));  // turned off: not brought back
  EXPECT_EQ((Stats{{3, 0}, {4, 0}}), TakeStats());
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
}

TEST_F(UpdateEvents, FinishAfterProgressOnlyReportsTheInstallTime) {
  Begin(Progress(1, 100, 10485760, 1048576) + Progress(2, 100, 10485760, 0) + "0 finish\n");
  Play(2);
  TakeStats();
  const std::string before = Snapshot();
  Play();
  const Stats stats = TakeStats();
  ASSERT_EQ((std::vector<std::uint32_t>{4}), Codes(stats));
  EXPECT_LT(stats[0].second, kPlausibleMs);
  EXPECT_EQ(before, Snapshot());
  EXPECT_EQ(0, host.start_game_count);
  EXPECT_EQ(1, State("C2_Container").on_screen);
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
  EXPECT_TRUE(Visible("C2_Button_Proxy") && Enabled("C2_Button_Proxy"));
}

TEST_F(UpdateEvents, FailureBeforeProgressShowsTheErrorTip) {
  WriteErrorTips();
  WriteProjectName("Orv");
  Begin("0 fail code=10002\n");
  Pump();
  EXPECT_EQ(1, State("C2_Container").on_screen);
  EXPECT_EQ("StartGame_Container C2_Static_UpdateFail C2_Button_Retry", Shown());
  EXPECT_EQ("Tip 10002 for Orv", Text("C2_Static_UpdateFail"));
  EXPECT_TRUE(Enabled("C2_Button_Retry"));
  EXPECT_EQ((Stats{{8, 10002}}), TakeStats());
  EXPECT_EQ(1, JournalCount("UpdateEngine.Unadvise\nUpdateEngine.Released"));
  EXPECT_EQ(0, ConnectingDialogs());

  const auto retry_failing_with = [&](const std::string& code) {
    SetScenario("0 fail code=" + code + "\n");
    EXPECT_TRUE(Click("C2_Button_Retry"));
    Pump();
    return Text("C2_Static_UpdateFail");
  };
  EXPECT_EQ("Error 77 in Orv", retry_failing_with("77"));  // no tip of its own
  // A code from 2147483648 up is a negative number, in the text and in the lookup.
  EXPECT_EQ("Negative -5", retry_failing_with("-5"));
  EXPECT_EQ("Negative -5", retry_failing_with("4294967291"));
  EXPECT_EQ("Error -2147483648 in Orv", retry_failing_with("2147483648"));
  EXPECT_EQ((Stats{{8, 77}, {8, 4294967291u}, {8, 4294967291u}, {8, 2147483648u}}), TakeStats());

  files.Remove("taskinfo.ini");
  EXPECT_EQ("Error 77 in 游戏", retry_failing_with("77"));
}

TEST_F(UpdateEvents, FailureWithCodeZeroOrAfterProgress) {
  WriteErrorTips();
  Begin("0 fail code=0\n");
  Pump();
  // No error to tell: the start-game view, Retry hidden again, Cancel still hidden.
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ("游戏已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
  EXPECT_EQ((Stats{{8, 0}}), TakeStats());

  // After progress the progress view stays as it was, with Retry in place of Cancel.
  SetScenario(Progress(1, 40, 10485760, 1048576, "version=2.1.0") + "0 fail code=10002\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Play();
  EXPECT_EQ("Update_Container C2_Static_StartGame C2_Button_Cancel", Shown());
  const std::string before = Snapshot();
  TakeStats();
  Play();
  EXPECT_EQ("Update_Container C2_Static_StartGame C2_Button_Retry", Shown());
  EXPECT_TRUE(Enabled("C2_Button_Retry"));
  // Nothing else changed: the texts, the bar and the other controls are as they were.
  std::string expected = before;
  const auto change = [&](const std::string& from, const std::string& to) {
    const size_t at = expected.find(from);
    ASSERT_NE(std::string::npos, at) << from;
    expected.replace(at, from.size(), to);
  };
  change("C2_Button_Cancel=11 C2_Button_Retry=00", "C2_Button_Cancel=00 C2_Button_Retry=11");
  change("C2_Button_Cancel|", "C2_Button_Retry|");
  EXPECT_EQ(expected, Snapshot());
  EXPECT_EQ("文件大小：10.0 MB", Text("C2_Static_FileSize"));
  EXPECT_EQ(40, State("C2_Process_Level").position);
  EXPECT_EQ((Stats{{8, 10002}}), TakeStats());
  EXPECT_EQ(2, JournalCount("UpdateEngine.Released"));
}

TEST_F(UpdateEvents, SuccessShowsTheStartGameViewWithTheProjectName) {
  WriteProjectName("Orv");
  Begin(Progress(2, 100, 2048, 0) + "0 success\n0 finish\n");
  // The start fills the start-game texts already.
  EXPECT_EQ("Orv已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
  Play(2);
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ(0, JournalCount("UpdateEngine.Unadvise"));  // the finish lets go of the engine
  Play();
  EXPECT_EQ(1, JournalCount("UpdateEngine.Released"));
  EXPECT_EQ("StartGame_Container C2_Static_StartGame C2_Button_StartGame", Shown());
  EXPECT_EQ(0, host.start_game_count);

  // Each start fills them from the layout text again.
  WriteProjectName("Next");
  SetScenario("option\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Pump();
  EXPECT_EQ("Next已是最新版本，可以开始游戏了", Text("C2_Static_StartGame"));
}

// A window whose logger writes both levels to the debugger.
class UpdateEventLog : public UpdateEvents {
 protected:
  void SetUp() override {
    UpdateEvents::SetUp();
    ReleaseWindow();
    Pump();
    folder.Write("Orvex.ini",
                 "[1374]\nDLL=" + BesideExecutable("OrvUpdateUI.dll") + "\n[Log]\nDebugMask=3\nFileMask=0\n");
    configure =
        reinterpret_cast<OrvFactConfigureFn>(platform::FindExport(testbed.handle(), "OrvFactConfigure"));
    ASSERT_NE(nullptr, configure);
    configure(ini.c_str());
    update = CreateWindow();
    ASSERT_NE(nullptr, update);
  }
  void TearDown() override {
    if (configure != nullptr) configure(nullptr);  // back to the default configuration
    UpdateEvents::TearDown();
  }

  // The window's own lines among everything written to the debugger since the last call.
  std::string WindowLines() {
    const std::string output = debug.Take();
    std::string lines;
    for (size_t at = output.find(head); at != std::string::npos; at = output.find(head, at + 1)) {
      const size_t end = output.find('\n', at);
      lines += output.substr(at, end == std::string::npos ? std::string::npos : end - at + 1);
    }
    return lines;
  }

  OrvFactConfigureFn configure = nullptr;
  const std::string head = "[T" + std::to_string(platform::CurrentThreadId()) + "][M1374]";
};

TEST_F(UpdateEventLog, EachEventWritesItsLine) {
  Begin("0 need\n" + Progress(1, 40, 2048, 1000) + "0 timing\n0 success\n0 finish\n");
  WindowLines();
  Play(3);  // need, progress, timing
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnNeedUpdate\n", WindowLines());
  Play();
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnUpdateSuccess\n", WindowLines());
  Play();  // the finish writes the success line too
  EXPECT_EQ(head + "[Trace]CUpdateLogic::OnUpdateSuccess\n", WindowLines());

  SetScenario("0 fail code=3\n");
  ASSERT_TRUE(Press("C2_Button_Retry"));
  Pump();
  EXPECT_EQ(head + "[Error]CUpdateLogic::OnUpdateFail\n", WindowLines());
}

}  // namespace
}  // namespace orv::testing
