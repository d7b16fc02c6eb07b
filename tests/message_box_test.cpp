// The module's message box: markup conversion and what reaches the message box component
// (the testbed's 1378, which records each box and answers as scripted).
#include <gtest/gtest.h>

#include <string>

#include "platform/debug_capture.h"
#include "tests/modules/probe_interfaces.h"
#include "tests/support/loaded_module.h"

namespace orv::testing {
namespace {

const char kCaption[] = "\xb5\xc7\xc2\xbc\xcc\xe1\xca\xbe";  // "登录提示"

class MessageBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fact.loaded());
    probe = static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0));
    ASSERT_NE(nullptr, probe);
    fact.Find<OrvFactClearJournalFn>("OrvFactClearJournal")();
    debug.Take();
  }
  void TearDown() override { probe->Release(0); }

  // What the message box component was asked to show, as it recorded it.
  std::string Shown(const std::string& text, std::uint32_t style = 0) {
    fact.Find<OrvFactClearJournalFn>("OrvFactClearJournal")();
    probe->ShowBox(nullptr, text.c_str(), "c", style);
    const std::string journal = fact.Find<OrvFactJournalFn>("OrvFactJournal")();
    const std::string head = "MessageBox.ShowMessage(0,c," + std::to_string(style) + ",";
    const size_t start = journal.find(head);
    const size_t end = journal.rfind(") -> ");
    if (start == std::string::npos || end == std::string::npos) return "<not shown>";
    return journal.substr(start + head.size(), end - start - head.size());
  }

  platform::DebugCapture debug;
  LoadedModule fact{"OrvFact.dll"};
  LoadedModule probes{"OrvProbe.dll"};
  IProbe* probe = nullptr;
};

TEST_F(MessageBox, PlainTextIsWrappedAndLineBreaksBecomeMarkup) {
  EXPECT_EQ("<font>first<br>second</font>", Shown("first\nsecond"));
  EXPECT_EQ("<font></font>", Shown(""));
  EXPECT_EQ("<font><b>other tags</b></font>", Shown("<b>other tags</b>"));
}

TEST_F(MessageBox, MarkedUpTextOnlyGetsItsLineBreaks) {
  EXPECT_EQ("<font>x</font><br>y", Shown("<font>x</font>\ny"));
  EXPECT_EQ("<a href=\"u\">link</a>", Shown("<a href=\"u\">link</a>"));
}

TEST_F(MessageBox, LengthLimits) {
  // 1020 characters with one break convert to 1023; the wrapped form is cut at 1023.
  const std::string text = std::string(500, 'a') + "\n" + std::string(519, 'b');
  const std::string converted = std::string(500, 'a') + "<br>" + std::string(519, 'b');
  EXPECT_EQ(("<font>" + converted).substr(0, 1023), Shown(text));
  // 1021 characters without a break: the conversion is refused, the message is empty.
  EXPECT_EQ("<font></font>", Shown(std::string(1021, 'c')));
  EXPECT_EQ("<font>" + std::string(1020, 'd').substr(0, 1017), Shown(std::string(1020, 'd')));
  // Later breaks that no longer fit stay plain line breaks.
  const std::string many = std::string(1015, 'e') + "\n\n";
  EXPECT_EQ(("<font>" + std::string(1015, 'e') + "<br>\n").substr(0, 1023), Shown(many));
}

TEST_F(MessageBox, TheDebuggerSeesTheTextBeforeConversionAndTheAnswerComesBack) {
  fact.Find<OrvFactPushMessageBoxAnswerFn>("OrvFactPushMessageBoxAnswer")(7);
  EXPECT_EQ(7, probe->ShowBox(reinterpret_cast<void*>(0x1234), "line\nbreak", kCaption, 0x124));
  EXPECT_EQ("ZunoMessageBoxImpl : line\nbreak\n", debug.Take());
  EXPECT_EQ("CreateComponent(361,0)\nCreateById(1378,<null>)\n"
            "MessageBox.ShowMessage(4660,登录提示,292,<font>line<br>break</font>) -> 7\n"
            "ReleaseComponent(1378)\n",
            std::string(fact.Find<OrvFactJournalFn>("OrvFactJournal")()));
  // With nothing scripted, a Yes/No box is answered with its default button.
  EXPECT_EQ(6, probe->ShowBox(nullptr, "q", kCaption, 4));
}

TEST_F(MessageBox, NothingIsShownWithoutAText) {
  EXPECT_EQ(0, probe->ShowBox(nullptr, nullptr, kCaption, 0));
  EXPECT_EQ("", debug.Take());
  EXPECT_EQ("CreateComponent(361,0)\nCreateById(1378,<null>)\nReleaseComponent(1378)\n",
            std::string(fact.Find<OrvFactJournalFn>("OrvFactJournal")()));
}

TEST(MessageBoxWithoutFramework, NothingIsShownWithoutTheComponent) {
  platform::DebugCapture debug;
  LoadedModule probes{"OrvProbe.dll"};
  auto* probe = static_cast<IProbe*>(probes.CreateComponent(kProbeId, 0));
  ASSERT_NE(nullptr, probe);
  debug.Take();
  EXPECT_EQ(0, probe->ShowBox(nullptr, "question", kCaption, 4));
  EXPECT_EQ("[Orvex_Error] Load OrvFact.dll Fail.\n", debug.Take());
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
