#include "testbed/launcher/launcher_script.h"

#include <cstdlib>
#include <sstream>

#include "testbed/update_engine/scenario.h"

namespace orv::launcher {
namespace {

// Each between blanks, so that a verb is found whole.
constexpr const char* kVerbs =
    " click choose type real-click real-choose real-type play-current wait-proxy-test ";
// Verbs that name no control.
bool TakesControl(const std::string& verb) {
  return verb != "play-current" && verb != "wait-proxy-test";
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
          if (!(words >> at) || !testbed::ParseDecimal(at, &value) || value < 0 ||
              value > 86400000 || !(words >> action.verb) ||
              (TakesControl(action.verb) && !(words >> action.control))) {
            reason =
                "expected: at <ms> [real-]click|choose|type <control> ..., at <ms> play-current or "
                "at <ms> "
                "wait-proxy-test (0 to 86400000 ms)";
          } else if (std::string(kVerbs).find(" " + action.verb + " ") == std::string::npos) {
            reason = "unknown action \"" + action.verb + "\"";
          } else {
            action.at_ms = static_cast<std::uint32_t>(value);
            action.text = Rest(words);
            if (action.verb.find("choose") != std::string::npos &&
                !testbed::ParseDecimal(action.text, &value))
              reason = "choose needs an entry number";
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
          words >> expectation.kind;
          expectation.text = Rest(words);
          if (expectation.kind != "start-game" && expectation.kind != "no-start-game" &&
              expectation.kind != "play-current" && expectation.kind != "shows" &&
              expectation.kind != "proxy" && expectation.kind != "stat" &&
              expectation.kind != "proxy-test") {
            reason = "unknown expectation \"" + expectation.kind + "\"";
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
