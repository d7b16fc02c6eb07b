#include "testbed/launcher/launcher_script.h"

#include <cstdlib>
#include <iterator>
#include <sstream>

#include "testbed/update_engine/scenario.h"

namespace orv::launcher {
namespace {

struct VerbWord {
  Verb verb;
  const char* name;
  const char* on_screen;  // the real- verbs: what they do to the control on screen
};
constexpr VerbWord kVerbWords[] = {
    {Verb::kClick, "click", nullptr},
    {Verb::kChoose, "choose", nullptr},
    {Verb::kType, "type", nullptr},
    {Verb::kRealClick, "real-click", "click"},
    {Verb::kRealChoose, "real-choose", "choose"},
    {Verb::kRealType, "real-type", "type"},
    {Verb::kRealKey, "real-key", "key"},
    {Verb::kPlayCurrent, "play-current", nullptr},
    {Verb::kWaitProxyTest, "wait-proxy-test", nullptr},
};
constexpr const char* kExpectWords[] = {"start-game", "no-start-game", "play-current", "shows",
                                        "proxy",      "stat",          "proxy-test"};

bool FindVerb(const std::string& word, Verb* verb) {
  for (const VerbWord& known : kVerbWords) {
    if (word == known.name) {
      *verb = known.verb;
      return true;
    }
  }
  return false;
}

bool FindExpectKind(const std::string& word, ExpectKind* kind) {
  for (size_t i = 0; i < std::size(kExpectWords); ++i) {
    if (word == kExpectWords[i]) {
      *kind = static_cast<ExpectKind>(i);
      return true;
    }
  }
  return false;
}

bool TakesControl(Verb verb) { return verb != Verb::kPlayCurrent && verb != Verb::kWaitProxyTest; }

bool ParseUint32(const std::string& text, std::uint32_t* value) {
  long long parsed = 0;
  if (!testbed::ParseDecimal(text, &parsed) || parsed < 0 || parsed > 0xFFFFFFFFLL) return false;
  *value = static_cast<std::uint32_t>(parsed);
  return true;
}

// "expect stat <code> <value>|*"
bool ParseStatExpectation(Expectation* e) {
  std::istringstream words(e->text);
  std::string code;
  std::string value;
  std::string extra;
  if (!(words >> code >> value) || (words >> extra) || !ParseUint32(code, &e->stat_code)) {
    return false;
  }
  e->any_value = value == "*";
  return e->any_value || ParseUint32(value, &e->stat_value);
}

std::string Rest(std::istringstream& words) {
  std::string rest;
  std::getline(words, rest);
  const size_t start = rest.find_first_not_of(" \t");
  return start == std::string::npos ? "" : rest.substr(start);
}

std::string ParseProxyLine(std::istringstream& words, Script* script) {
  std::string position_text;
  long long position = -1;
  words >> position_text;
  const bool selects = position_text == "selected";
  if (selects) words >> position_text;
  if (!testbed::ParseDecimal(position_text, &position) || position < 0 ||
      position >= kProxyEntryCount) {
    return "expected: proxy <0 to 2> none|socks5|http <address> <port>, or proxy selected <0 to 2>";
  }
  script->sets_proxy = true;
  if (selects) {
    script->proxy.selected_index = static_cast<std::int32_t>(position);
    return "";
  }
  std::string type;
  std::string address;
  std::string port_text;
  long long port = 0;
  words >> type >> address >> port_text;
  ProxyEntry& entry = script->proxy.entries[position];
  entry.type = type == "socks5" ? kProxySocks5 : type == "http" ? kProxyHttp : kProxyNone;
  if ((entry.type == kProxyNone && type != "none") || address.size() >= sizeof entry.address ||
      !testbed::ParseDecimal(port_text, &port) || port < 0 || port > 65535) {
    return "expected: proxy <0 to 2> none|socks5|http <address of at most 31 characters> <port 0 "
           "to 65535>";
  }
  address.copy(entry.address, address.size());
  entry.port = static_cast<std::uint16_t>(port);
  return "";
}

}  // namespace

const char* VerbName(Verb verb) {
  for (const VerbWord& known : kVerbWords) {
    if (known.verb == verb) return known.name;
  }
  return "?";
}

const char* ExpectKindName(ExpectKind kind) { return kExpectWords[static_cast<size_t>(kind)]; }

const char* OnScreenAction(Verb verb) {
  for (const VerbWord& known : kVerbWords) {
    if (known.verb == verb) return known.on_screen;
  }
  return nullptr;
}

bool ParseScript(const std::string& text, Script* script, std::string* error) {
  *script = Script{};
  return testbed::ForEachScenarioLine(
      text,
      [&](int number, const std::string& first, std::istringstream& words) {
        std::string reason;
        long long value = 0;
        if (testbed::IsEngineLine(first)) return reason;  // the update engine's
        if (first == "at") {
          ScriptAction action;
          std::string at;
          std::string verb;
          if (!(words >> at) || !testbed::ParseDecimal(at, &value) || value < 0 ||
              value > 86400000 || !(words >> verb)) {
            reason =
                "expected: at <ms> [real-]click|choose|type <control> ..., at <ms> real-key "
                "<control> <key>, at <ms> play-current or at <ms> wait-proxy-test (0 to 86400000 "
                "ms)";
          } else if (!FindVerb(verb, &action.verb)) {
            reason = "unknown action \"" + verb + "\"";
          } else if (TakesControl(action.verb) && !(words >> action.control)) {
            reason = "expected: at <ms> " + verb + " <control> ...";
          } else {
            action.at_ms = static_cast<std::uint32_t>(value);
            action.text = Rest(words);
            const bool chooses = action.verb == Verb::kChoose || action.verb == Verb::kRealChoose;
            if (chooses && !testbed::ParseDecimal(action.text, &value))
              reason = "choose needs an entry number";
            if (action.verb == Verb::kRealKey && action.text != "tab" &&
                action.text != "shift-tab" && action.text != "enter" && action.text != "esc")
              reason = "real-key needs a key: tab, shift-tab, enter or esc";
            if (reason.empty()) script->actions.push_back(action);
          }
        } else if (first == "answer") {
          std::string id;
          if (!(words >> id) || !testbed::ParseDecimal(id, &value) || value < 1 || value > 7) {
            reason = "expected: answer <button id> (1 OK, 2 Cancel, 6 Yes, 7 No)";
          } else {
            script->answers.push_back(static_cast<int>(value));
          }
        } else if (first == "proxy") {
          reason = ParseProxyLine(words, script);
        } else if (first == "proxy-test-target") {
          if (Rest(words) != "closed") reason = "expected: proxy-test-target closed";
          script->proxy_test_target_closed = true;
        } else if (first == "expect") {
          Expectation expectation;
          expectation.line = number;
          std::string kind;
          words >> kind;
          expectation.text = Rest(words);
          if (!FindExpectKind(kind, &expectation.kind)) {
            reason = "unknown expectation \"" + kind + "\"";
          } else if (expectation.kind == ExpectKind::kStat && !ParseStatExpectation(&expectation)) {
            reason = "expected: expect stat <code> <value>|* (numbers of 0 to 4294967295)";
          } else {
            script->expectations.push_back(expectation);
          }
        } else {
          reason = "neither a step of the update engine nor a line of the launcher's script: \"" +
                   first + "\"";
        }
        return reason;
      },
      error);
}

}  // namespace orv::launcher
