// The proxy dialog's port text against the C library: spaces around the text go, a text of
// 128 characters or more (after that) is 0, the rest reads as atol reads it where long has
// 32 bits (saturating), and the port keeps the low 16 bits.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/zuno/client/gamesettingui/game_setting_ui.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string text = std::string(reinterpret_cast<const char*>(data), size).c_str();
  const size_t begin = text.find_first_not_of(' ');
  const std::string trimmed =
      begin == std::string::npos ? "" : text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
  long long value = 0;
  if (!trimmed.empty() && trimmed.size() < 128) {
    value = std::strtoll(trimmed.c_str(), nullptr, 10);
    value = value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : value;
  }
  const auto expected = static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
  FUZZ_CHECK(orv::PortFromText(text.c_str()) == expected);
  return 0;
}
