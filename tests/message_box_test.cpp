// The module's message box: markup conversion and what reaches the message box component
// (the testbed's 1378, which records each box and answers as scripted).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/harness.h"

namespace orv::testing {
namespace {

const char kCaption[] = "\xb5\xc7\xc2\xbc\xcc\xe1\xca\xbe";  // "登录提示"

class MessageBox : public ProbeTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fact.ready() && probe != nullptr);
    fact.ClearJournal();
    debug.Take();
  }
  void TearDown() override { probe->Release(0); }

  // What the message box component was asked to show, as it recorded it.
  std::string Shown(const std::string& text) {
    fact.ClearJournal();
    probe->ShowBox(nullptr, text.c_str(), "c", 0);
    const std::string journal = fact.Journal();
    const std::string head = "MessageBox.ShowMessage(0,c,0,";
    const size_t start = journal.find(head);
    const size_t end = journal.rfind(") -> ");
    if (start == std::string::npos || end == std::string::npos) return "<not shown>";
    return journal.substr(start + head.size(), end - start - head.size());
  }

  TestbedSession fact;
  IProbe* probe = NewProbe();
};

TEST_F(MessageBox, TextsBecomeMarkupWithinTheirLimit) {
  const std::string converted = std::string(500, 'a') + "<br>" + std::string(519, 'b');
  const std::pair<std::string, std::string> cases[] = {
      // Plain text is wrapped, breaks become markup.
      {"first\nsecond", "<font>first<br>second</font>"},
      {"", "<font></font>"},
      {"<b>other tags</b>", "<font><b>other tags</b></font>"},
      {"<font>x</font>\ny", "<font>x</font><br>y"},  // marked-up text only gets its line breaks
      {"<a href=\"u\">link</a>", "<a href=\"u\">link</a>"},
      // 1020 characters with one break convert to 1023; the wrapped form is cut at 1023.
      {std::string(500, 'a') + "\n" + std::string(519, 'b'),
       ("<font>" + converted).substr(0, 1023)},
      {std::string(1021, 'c'), "<font></font>"},  // too long to convert: the message is empty
      {std::string(1020, 'd'), "<font>" + std::string(1017, 'd')},
      // Later breaks that no longer fit stay plain line breaks.
      {std::string(1015, 'e') + "\n\n",
       ("<font>" + std::string(1015, 'e') + "<br>\n").substr(0, 1023)},
  };
  for (const auto& [text, markup] : cases) EXPECT_EQ(markup, Shown(text)) << text.substr(0, 20);
}

TEST_F(MessageBox, TheDebuggerSeesTheTextBeforeConversionAndTheAnswerComesBack) {
  fact.control()->PushMessageBoxAnswer(7);
  EXPECT_EQ(7, probe->ShowBox(reinterpret_cast<void*>(0x1234), "line\nbreak", kCaption, 0x124));
  EXPECT_EQ("ZunoMessageBoxImpl : line\nbreak\n", debug.Take());
  EXPECT_EQ(
      "CreateComponent(361,0)\nCreateById(1378,<null>)\n"
      "MessageBox.ShowMessage(4660,登录提示,292,<font>line<br>break</font>) -> 7\n"
      "ReleaseComponent(1378)\n",
      fact.Journal());

  // Nothing is shown without a text.
  fact.ClearJournal();
  debug.Take();
  EXPECT_EQ(0, probe->ShowBox(nullptr, nullptr, kCaption, 0));
  EXPECT_EQ("", debug.Take());
  EXPECT_EQ("CreateComponent(361,0)\nCreateById(1378,<null>)\nReleaseComponent(1378)\n",
            fact.Journal());
}

using MessageBoxWithoutFramework = ProbeTest;

TEST_F(MessageBoxWithoutFramework, NothingIsShownWithoutTheComponent) {
  IProbe* probe = NewProbe();
  ASSERT_NE(nullptr, probe);
  debug.Take();
  EXPECT_EQ(0, probe->ShowBox(nullptr, "question", kCaption, 4));
  EXPECT_EQ("[Orvex_Error] Load OrvFact.dll Fail.\n", debug.Take());
  probe->Release(0);
}

}  // namespace
}  // namespace orv::testing
