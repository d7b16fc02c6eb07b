// The launcher's words on screen, in every mode: the update window (and its dialogs) drawn as
// text, the keys that work at the moment, and what statistics, message boxes and proxy tests
// say in words a person reads.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/interfaces/proxy_config.h"
#include "testbed/factory/testbed_control.h"

namespace orv::launcher {

struct Key {
  char key;
  const char* control;
  const char* label;
};

// The keys of the update window's buttons and of the proxy dialog's controls.
extern const std::vector<Key> kWindowKeys;
extern const std::vector<Key> kDialogKeys;

constexpr char kProxyDialogWindow[] = "Dlg_ProxySetting";
constexpr int kScreenWidth = 80;

// The window as drawn now, followed by the other windows on screen (dialogs).
std::string DrawScreen(testbed::ITestbedControl* testbed, IUILayoutEngine* window);

// "[c] Cancel" for each key whose control is on screen and enabled now.
std::vector<std::string> LiveKeys(testbed::ITestbedControl* testbed, IUILayoutEngine* engine,
                                  const std::vector<Key>& keys);

// Items joined by two blanks into lines of at most `width` columns, never splitting an item.
std::string WrapItems(const std::vector<std::string>& items, size_t width = kScreenWidth);

// Each line of `text` broken at blanks into lines of at most `width` columns (a word longer
// than a line is broken where the line ends): nothing is cut off. Every line ends in '\n'.
std::string WrapText(const std::string& text, size_t width = kScreenWidth);

// Columns a UTF-8 text takes on a terminal (the Chinese characters take two).
size_t Columns(const std::string& text);

// A statistic the window reported, by name and with its unit ("download time 12.0 s").
std::string StatisticText(std::uint32_t code, std::uint32_t value);

// The reports of one statistic code: how many, and the last value.
struct StatisticGroup {
  std::uint32_t code;
  std::uint32_t last_value;
  int times;
};
using StatisticReports = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
// One group per code, in the order the codes first came.
std::vector<StatisticGroup> GroupStatistics(const StatisticReports& reports);
// "3/1  update under way — 13 times, last value 1", or "5/1200  download time 1.2 s".
std::string StatisticGroupText(const StatisticGroup& group);

// A message box's markup as plain text: tags removed, <br> as a line break.
std::string MarkupToText(const std::string& markup);

// "HTTP 127.0.0.1:8080", "SOCKS5 ...", or "no proxy".
std::string ProxyText(const ProxyEntry& entry);

// Why a proxy test failed, from the outcome the test connection reported.
std::string ProxyTestReason(int outcome);

}  // namespace orv::launcher
