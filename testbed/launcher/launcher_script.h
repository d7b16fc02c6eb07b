// The launcher's part of a scenario file: what the person does and how the run must end.
// Lines of the update engine's own (steps, options) are passed over here.
//
//   at <ms> click <control>            click a control (of the window, or of an open dialog)
//   at <ms> real-click|real-choose|real-type <control> ...
//                                      the same, on the real control on screen through the
//                                      system's window messages (BM_CLICK, CBN_SELCHANGE,
//                                      EN_CHANGE), with the launcher's window only
//   at <ms> real-key <control> tab|shift-tab|enter|esc
//                                      press a key with the focus on the real control, the
//                                      keyboard's messages handled as the window handles them
//                                      (the batch prints where the focus is then)
//   at <ms> choose <control> <n>       choose entry n of a combo box of an open dialog
//   at <ms> type <control> <text>      type a text into an edit box of an open dialog
//   at <ms> play-current               go on with the current version (offered when an
//                                      advised update was given up)
//   at <ms> wait-proxy-test            wait, in real time, for the proxy test started last
//                                      to end (the scenario's clock stands meanwhile)
//   answer <button id>                 the next message box's answer (1 OK, 6 Yes, 7 No),
//                                      in the order the boxes come
//   proxy <n> none|socks5|http <address> <port>
//                                      the launcher's stored proxy entry n (0 to 2) when the
//                                      run starts (batch runs otherwise start with none)
//   proxy selected <n>                 ... and the entry in use
//   proxy-test-target closed           the proxy test's target is a port where nobody listens
//                                      (by default a loopback server of the launcher's)
//   expect start-game                  the window tells the launcher the game may start
//   expect no-start-game               ... it does not
//   expect play-current                the person went on with the current version
//   expect shows <text>                the last view shows this text (UTF-8)
//   expect proxy <proxy>               the update engine was last handed this proxy
//                                      ("HTTP 127.0.0.1:8080", "no proxy")
//   expect stat <code> <value>         the window reports this statistic (value * for any)
//   expect proxy-test <outcome>        the next proxy test waited for ended so: ok, refused,
//                                      time-out, authentication-rejected, target-unreachable
//                                      or malformed, and the module showed the box for it
//
// Times count from the start of the update, in the scenario's milliseconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces/proxy_config.h"

namespace orv::launcher {

enum class Verb {
  kClick,
  kChoose,
  kType,
  kRealClick,
  kRealChoose,
  kRealType,
  kRealKey,
  kPlayCurrent,
  kWaitProxyTest
};

struct ScriptAction {
  std::uint32_t at_ms = 0;
  Verb verb = Verb::kClick;
  std::string control;
  std::string text;  // choose: the entry; type: the text; real-key: the key
};

enum class ExpectKind { kStartGame, kNoStartGame, kPlayCurrent, kShows, kProxy, kStat, kProxyTest };

struct Expectation {
  ExpectKind kind = ExpectKind::kStartGame;
  std::string text;  // as written after the kind
  int line = 0;
  // stat: the code, and the value unless any will do ("*")
  std::uint32_t stat_code = 0;
  bool any_value = false;
  std::uint32_t stat_value = 0;
};

struct Script {
  bool sets_proxy = false;
  bool proxy_test_target_closed = false;
  ProxyConfig proxy{kProxyEntryCount, 0, {}};
  std::vector<ScriptAction> actions;
  std::vector<int> answers;
  std::vector<Expectation> expectations;
};

// False, with "line N: reason" in `error`, when a launcher line is malformed.
bool ParseScript(const std::string& text, Script* script, std::string* error);

// The words the script uses: "real-click", "proxy-test".
const char* VerbName(Verb verb);
const char* ExpectKindName(ExpectKind kind);
// What a real- verb does on screen ("click", "choose", "type", "key"), or null for the
// others.
const char* OnScreenAction(Verb verb);

}  // namespace orv::launcher
