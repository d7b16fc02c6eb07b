#include "testbed/launcher/screen_texts.h"

#include <cstdio>
#include <cstring>

#include "framework/interfaces/update_host.h"

namespace orv::launcher {

const std::vector<Key> kWindowKeys = {
    {'c', "C2_Button_Cancel", "Cancel"},
    {'r', "C2_Button_Retry", "Retry"},
    {'s', "C2_Button_StartGame", "Start game"},
    {'p', "C2_Button_Proxy", "Proxy"},
};

const std::vector<Key> kDialogKeys = {
    {'e', "Dlg_ProxySetting_Test_Btn", "Test"},
    {'k', "Dlg_ProxySetting_OK_Btn", "OK"},
    {'x', "Dlg_ProxySetting_Cancel_Btn", "Cancel"},
    {'z', "Dlg_Close_Btn", "Close"},
};

std::string DrawScreen(testbed::ITestbedControl* testbed, IUILayoutEngine* window) {
  std::string screen = testbed->Render(window);
  if (screen.empty()) screen = "(the update window is hidden)\n";
  // Only its heading: the window hid its view (as it does once it lets the game start).
  if (screen.find('\n') + 1 == screen.size()) screen += "(its view is hidden: nothing on screen)\n";
  // Then every other window on screen: the connecting dialog, the proxy dialog.
  for (int i = 0; i < testbed->UIEngineCount(); ++i) {
    IUILayoutEngine* other = testbed->UIEngineAt(i);
    if (other != window) screen += testbed->Render(other);
  }
  return screen;
}

std::vector<std::string> LiveKeys(testbed::ITestbedControl* testbed, IUILayoutEngine* engine,
                                  const std::vector<Key>& keys) {
  std::vector<std::string> live;
  for (const Key& key : keys) {
    testbed::ControlState state{};
    if (testbed->GetControlState(engine, key.control, &state) && state.on_screen && state.enabled) {
      live.push_back(std::string("[") + key.key + "] " + key.label);
    }
  }
  return live;
}

// One column per character, two for the three-byte ones (the Chinese characters; a few other
// signs of that range take one, so a line with them breaks early rather than late).
size_t Columns(const std::string& text) {
  size_t columns = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) columns += c >= 0xE0 ? 2 : 1;
  }
  return columns;
}

namespace {

// The bytes of `text` that fill at most `width` columns, whole characters only.
size_t BytesWithin(const std::string& text, size_t width) {
  size_t columns = 0;
  size_t at = 0;
  while (at < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t next = at + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    const size_t wide = lead >= 0xE0 ? 2 : 1;
    if (columns + wide > width) break;
    columns += wide;
    at = next;
  }
  return at;
}

std::string Seconds(std::uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", ms / 1000.0);
  return text;
}

}  // namespace

std::string WrapItems(const std::vector<std::string>& items, size_t width) {
  std::string out;
  size_t line = 0;
  for (const std::string& item : items) {
    const size_t need = Columns(item);
    if (line > 0 && line + 2 + need > width) {
      out += "\n";
      line = 0;
    }
    if (line > 0) {
      out += "  ";
      line += 2;
    }
    out += item;
    line += need;
  }
  return out;
}

std::string WrapText(const std::string& text, size_t width) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end == start && end == text.size()) break;  // no line after a final '\n'
    std::string line = text.substr(start, end - start);
    while (Columns(line) > width) {
      const size_t fits = BytesWithin(line, width);
      const size_t blank = line.rfind(' ', fits);
      size_t cut = blank != std::string::npos && blank > 0 ? blank : fits;
      if (cut == 0) cut = line.size();  // a line narrower than one character: kept whole
      out += line.substr(0, cut) + "\n";
      line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
    }
    out += line + "\n";
    start = end + 1;
  }
  return out;
}

std::string StatisticText(std::uint32_t code, std::uint32_t value) {
  switch (code) {
    case kStatUpdateProgress: return value != 0 ? "update under way" : "no update needed";
    case kStatInstallTime: return "install time " + Seconds(value);
    case kStatDownloadTime: return "download time " + Seconds(value);
    case kStatPackageSize: return "package size (launcher unit) " + std::to_string(value);
    case kStatError: return "error " + std::to_string(static_cast<std::int32_t>(value));
    case kStatStartTime: return "time to the stage timing " + Seconds(value);
    default: return "statistic " + std::to_string(code) + " = " + std::to_string(value);
  }
}

std::vector<StatisticGroup> GroupStatistics(const StatisticReports& reports) {
  std::vector<StatisticGroup> groups;
  for (const auto& report : reports) {
    auto group = groups.begin();
    while (group != groups.end() && group->code != report.first) ++group;
    if (group == groups.end()) {
      groups.push_back({report.first, report.second, 1});
    } else {
      group->last_value = report.second;
      ++group->times;
    }
  }
  return groups;
}

std::string StatisticGroupText(const StatisticGroup& group) {
  std::string text = std::to_string(group.code) + "/" + std::to_string(group.last_value) + "  " +
                     StatisticText(group.code, group.last_value);
  if (group.times > 1) {
    constexpr char kDash[] = " \xe2\x80\x94 ";  // an em dash, in UTF-8
    text += kDash + std::to_string(group.times) + " times, last value " +
            std::to_string(group.last_value);
  }
  return text;
}

std::string MarkupToText(const std::string& markup) {
  std::string text;
  for (size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] != '<') {
      text += markup[i];
      continue;
    }
    const size_t close = markup.find('>', i);
    if (close == std::string::npos) {  // a lone '<' is text
      text += markup.substr(i);
      break;
    }
    std::string tag = markup.substr(i + 1, close - i - 1);
    for (char& c : tag) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (tag == "br" || tag == "br/" || tag == "br /") text += '\n';
    i = close;
  }
  return text;
}

std::string ProxyText(const ProxyEntry& entry) {
  const char* type = entry.type == kProxySocks5 ? "SOCKS5"
                     : entry.type == kProxyHttp ? "HTTP"
                                                : nullptr;
  if (type == nullptr) return "no proxy";
  return std::string(type) + " " +
         std::string(entry.address, strnlen(entry.address, sizeof entry.address)) + ":" +
         std::to_string(entry.port);
}

std::string ProxyTestReason(int outcome) {
  switch (outcome) {
    case 0: return "the proxy opened a tunnel";
    case 1: return "the proxy refused the connection";
    case 2: return "time-out: the proxy did not answer";
    case 3: return "the proxy rejected the user name and password";
    case 4: return "the proxy could not reach the target";
    case 5: return "the proxy's reply was malformed";
    default: return "failure " + std::to_string(outcome);
  }
}

}  // namespace orv::launcher
