// The component logger, driven through a probe component (module id 7001) with the testbed's
// OrvFact.dll handing out the masks and the log file.
#include <gtest/gtest.h>

#include <fstream>
#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "platform/debug_capture.h"
#include "platform/process_info.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"
#include "tests/support/temp_folder.h"

namespace orv::testing {
namespace {

class LoggerTest : public ::testing::Test {
 protected:
  // Loads the factory with the given [Log] section, then a probe whose logger asks it.
  IProbe* ProbeWithLog(const std::string& log_section) {
    folder.Write("Orvex.ini", "[Log]\n" + log_section);
    fact = std::make_unique<LoadedModule>("OrvFact.dll");
    fact->Find<OrvFactConfigureFn>("OrvFactConfigure")(folder.PathOf("Orvex.ini").c_str());
    return NewProbe();
  }

  IProbe* NewProbe() { return static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0)); }

  std::string LogFile() {
    std::ifstream in(folder.native_path_of("log.txt"), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string Thread() { return "[T" + std::to_string(platform::CurrentThreadId()) + "]"; }

  platform::DebugCapture debug;
  TempFolder folder;
  LoadedModule probes{"OrvProbe.dll"};
  std::unique_ptr<LoadedModule> fact;
};

TEST_F(LoggerTest, SilentWhenNoFactoryIsLoaded) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  probe->Log(0, "trace %d", 1);
  probe->Log(1, "error %d", 2);
  EXPECT_EQ("", debug.Take());
  probe->Release(0);
}

TEST_F(LoggerTest, DebuggerMaskSelectsLevels) {
  IProbe* probe = ProbeWithLog("DebugMask=2\nFileMask=0\n");
  ASSERT_NE(nullptr, probe);
  debug.Take();
  probe->Log(0, "CUpdateLogic::OnNeedUpdate", 0);
  probe->Log(1, "an error", 0);
  probe->Log(0, "progress=%d%%", 42);  // the message is a format: its directives take effect
  EXPECT_EQ(Thread() + "[M7001][Trace]CUpdateLogic::OnNeedUpdate\n" + Thread() +
                "[M7001][Trace]progress=42%\n",
            debug.Take());
  EXPECT_NE(std::string::npos,
            std::string(fact->Find<OrvFactJournalFn>("OrvFactJournal")()).find("GetLogConfig(,7001)"));
  probe->Release(0);
}

TEST_F(LoggerTest, FileLinesCarryCounterTimeAndProcess) {
  IProbe* probe = ProbeWithLog("DebugMask=0\nFileMask=1\nFile=log.txt\n");
  ASSERT_NE(nullptr, probe);
  probe->Log(1, "first %d", 1);
  probe->Log(0, "a trace goes nowhere", 0);
  probe->Log(1, "second %d", 2);
  EXPECT_EQ("", debug.Take());

  // Each line: counter, tab, the time of day as HH:MM:SS, tab, then the fixed part.
  const std::string fixed = "\t[P" + std::to_string(platform::CurrentProcessId()) + "][T" +
                            std::to_string(platform::CurrentThreadId()) + "][M7001][Error]";
  std::istringstream lines(LogFile());
  std::string text;
  for (std::string line; std::getline(lines, line); text += line + "\n") {
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || line.size() < tab + 9) continue;
    const std::string time = line.substr(tab + 1, 8);
    const bool is_time = time[2] == ':' && time[5] == ':' &&
                         std::all_of(time.begin(), time.end(), [](char c) { return c == ':' || std::isdigit(static_cast<unsigned char>(c)); });
    if (is_time) line.replace(tab + 1, 8, "HH:MM:SS");
  }
  EXPECT_EQ("0\tHH:MM:SS" + fixed + "first 1\n1\tHH:MM:SS" + fixed + "second 2\n", text);
  probe->Release(0);
}

TEST_F(LoggerTest, NoFileMeansNothingWrittenAndNoMessage) {
  IProbe* probe = ProbeWithLog("FileMask=3\n");
  ASSERT_NE(nullptr, probe);
  debug.Take();
  probe->Log(1, "nowhere to go", 0);
  EXPECT_EQ("", debug.Take());
  EXPECT_EQ("", LogFile());
  probe->Release(0);
}

TEST_F(LoggerTest, OverLongLinesAreCutAtTheirBounds) {
  IProbe* probe = ProbeWithLog("DebugMask=3\n");
  ASSERT_NE(nullptr, probe);
  debug.Take();
  // A format longer than the template's 255 characters loses its end before formatting.
  const std::string long_format(400, 'f');
  probe->Log(0, long_format.c_str(), 0);
  const std::string head = Thread() + "[M7001][Trace]";
  EXPECT_EQ(head + long_format.substr(0, 255 - head.size()), debug.Take());
  // A short format whose arguments make the line longer than 1023 characters is cut there.
  probe->Log(1, "%01100d", 7);
  EXPECT_EQ(1023u, debug.Take().size());
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
