// The component logger, driven through a probe component (module id 7001) with a factory
// DLL loaded as OrvFact.dll handing out the masks and the log file: the testbed's, or the
// recording one where a test needs a log file the testbed would never hand out.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>

#include "platform/file_read.h"
#include "platform/process_info.h"
#include "tests/support/harness.h"

namespace orv::testing {
namespace {

// The text with every time of day ("12:34:56") written as "hh:mm:ss".
std::string MaskTimes(std::string text) {
  const auto digits = [&text](size_t at) {
    return std::isdigit(static_cast<unsigned char>(text[at])) &&
           std::isdigit(static_cast<unsigned char>(text[at + 1]));
  };
  for (size_t at = 0; at + 8 <= text.size(); ++at) {
    if (digits(at) && text[at + 2] == ':' && digits(at + 3) && text[at + 5] == ':' &&
        digits(at + 6)) {
      text.replace(at, 8, "hh:mm:ss");
    }
  }
  return text;
}

class LoggerTest : public ProbeTest {
 protected:
  // Loads the testbed's factory with the given [Log] section, then a probe whose logger asks it.
  IProbe* ProbeWithLog(const std::string& log_section) {
    folder.Write("Orvex.ini", "[Log]\n" + log_section);
    fact = std::make_unique<TestbedSession>();
    fact->Configure(folder.PathOf("Orvex.ini"));
    return NewProbe();
  }

  const std::string thread = "[T" + std::to_string(platform::CurrentThreadId()) + "]";
  std::unique_ptr<TestbedSession> fact;
};

TEST_F(LoggerTest, DebuggerMaskSelectsLevelsAndLinesAreCutAtTheirBounds) {
  IProbe* probe = ProbeWithLog("DebugMask=2\nFileMask=0\n");
  ASSERT_NE(nullptr, probe);
  debug.Take();
  probe->Log(0, "CUpdateLogic::OnNeedUpdate", 0);
  probe->Log(1, "an error", 0);
  probe->Log(0, "progress=%d%%", 42);  // the message is a format: its directives take effect
  const std::string head = thread + "[M7001][Trace]";
  EXPECT_EQ(head + "CUpdateLogic::OnNeedUpdate\n" + head + "progress=42%\n", debug.Take());
  EXPECT_NE(std::string::npos, fact->Journal().find("GetLogConfig(,7001)"));
  // A format longer than the template's 255 characters loses its end before formatting.
  const std::string long_format(400, 'f');
  probe->Log(0, long_format.c_str(), 0);
  EXPECT_EQ(head + long_format.substr(0, 255 - head.size()), debug.Take());
  // A cut inside a directive takes the whole directive: a "%" alone is no format.
  for (std::size_t cut_after = 1; cut_after <= 5; ++cut_after) {  // "%" to "%-05l"
    const std::string kept = long_format.substr(0, 255 - head.size() - cut_after);
    probe->Log(0, (kept + "%-05ld").c_str(), 7);
    EXPECT_EQ(head + kept, debug.Take()) << cut_after;
  }
  // A short format whose arguments make the line longer than 1023 characters is cut there.
  probe->Log(0, "%01100d", 7);
  EXPECT_EQ(1023u, debug.Take().size());
  probe->Release(0);
}

TEST_F(LoggerTest, FileLinesCarryCounterTimeAndProcess) {
  IProbe* probe = ProbeWithLog("DebugMask=0\nFileMask=1\nFile=log.txt\n");
  ASSERT_NE(nullptr, probe);
  probe->Log(1, "first %d", 1);
  probe->Log(0, "a trace goes nowhere", 0);
  probe->Log(1, "second %d", 2);
  EXPECT_EQ("", debug.Take());
  std::string text;
  platform::ReadWholeFile(folder.PathOf("log.txt").c_str(), &text);
  const std::string head =
      "\thh:mm:ss\t[P" + std::to_string(platform::CurrentProcessId()) + "]" + thread;
  EXPECT_EQ("0" + head + "[M7001][Error]first 1\n1" + head + "[M7001][Error]second 2\n",
            MaskTimes(text));
  probe->Release(0);
}

TEST_F(LoggerTest, SilentWithoutAFactoryOrAFile) {
  IProbe* early = NewProbe();  // no factory loaded at its construction: silent for its life
  IProbe* probe = ProbeWithLog("DebugMask=0\nFileMask=3\n");
  ASSERT_TRUE(early != nullptr && probe != nullptr);
  debug.Take();
  for (IProbe* silent : {early, probe}) {
    silent->Log(0, "trace %d", 1);
    silent->Log(1, "error %d", 2);
  }
  EXPECT_EQ("", debug.Take());
  early->Release(0);
  probe->Release(0);
}

TEST_F(LoggerTest, AFileThatCannotSeekDropsTheLineWithAMessage) {
  LoadedModule recording_fact(BesideExecutable("recording\\OrvFact.dll"));
  ASSERT_TRUE(recording_fact.loaded());
  FactoryRecording* recording = recording_fact.Find<RecordingFactoryFn>("RecordingFactory")();
  // A handle that names no open file, so that the seek before the append fails.
#if defined(_WIN32)
  LogFileRecord record{nullptr, 0x7FFFFFF0};
  const std::string error = "6";  // ERROR_INVALID_HANDLE
#else
  LogFileRecord record{nullptr, 1000000};
  const std::string error = "9";  // EBADF
#endif
  recording->file_mask = 1;
  recording->log_record = &record;
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  recording->log_record = nullptr;
  debug.Take();
  probe->Log(1, "lost %d", 1);
  EXPECT_EQ("Set log file pointer at end fail , error id = " + error + " !\n", debug.Take());
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
