// The Test button: the entry in the controls goes to the test connection of its kind, which
// tries to reach a fixed web host through the proxy and calls back, possibly on a thread of
// its own, with the outcome; the outcome is shown in the system's message box.
#include <cstring>
#include <mutex>

#include "components/zuno/client/gamesettingui/game_setting_ui.h"
#include "msgbox/zuno_message_box.h"
#include "platform/window.h"

namespace orv {
namespace {

// The web hosts the proxies are asked to reach.
constexpr char kSocks5TargetHost[] = "www.baidu.com";
constexpr char kHttpTargetHost[] = "www.qq.com";

constexpr char kProxyWorks[] =
    "\xb4\xfa\xc0\xed\xb7\xfe\xce\xf1\xc6\xf7\xb9\xa4\xd7\xf7\xd5\xfd\xb3\xa3";  // "代理服务器工作正常"
constexpr char kProxyUnreachable[] =
    "\xce\xde\xb7\xa8\xc1\xac\xbd\xd3\xb5\xbd\xb4\xfa\xc0\xed\xb7\xfe\xce\xf1\xc6\xf7";  // "无法连接到代理服务器"
constexpr std::uint32_t kOkOnly = 0;

// A field of the entry as a terminated text, however the entry came.
template <size_t kSize>
struct FieldText {
  explicit FieldText(const char (&field)[kSize]) { std::memcpy(text, field, kSize); }
  char text[kSize + 1] = {};
};

}  // namespace

int GameSettingUI::TestProxy() {
  int result = 0;
  logger_.Trace("[GameSettingUI]_TestProxy Start!");
  if (type_combo_ == nullptr || owner_ == nullptr) return 0;
  const int position = type_combo_->GetCurSel();

  ProxyConfig config;
  std::memset(&config, 0, sizeof config);
  FillConfigFromControls(&config);
  // Kept in the dialog: the connection works with it on its own thread after this returns.
  ProxyEntry& entry = tested_entry_;
  std::memset(&entry, 0, sizeof entry);
  if (const ProxyEntry* selected = EntryAt(&config, config.selected_index)) entry = *selected;

  // The password itself is never logged: only its length.
  const FieldText<sizeof entry.password> password(entry.password);
  logger_.Trace(
      "[GameSettingUI]_TestProxy proxy type=%d, \t\t\tip=%s port=%d name=%s ps=%d domain=%s",
      static_cast<int>(entry.type), FieldText<sizeof entry.address>(entry.address).text,
      static_cast<int>(entry.port), FieldText<sizeof entry.user>(entry.user).text,
      static_cast<int>(std::strlen(password.text)),
      FieldText<sizeof entry.domain>(entry.domain).text);

  // Position 1 tests through a SOCKS5 proxy, position 2 through an HTTP one; the log lines
  // name the kind ("sockte5", "connet": kept as written, log readers match them).
  IProxyConnection* connection = position == 1   ? socks5_connection_.get()
                                 : position == 2 ? http_connection_.get()
                                                 : nullptr;
  const char* kind = position == 1 ? "sockte5" : "http";
  if (connection != nullptr) {
    if (connection->Init(&entry, AsConnectionSink()) == 0) {
      logger_.Trace("[GameSettingUI]_TestProxy Create %s fails", kind);
      return result;
    }
    logger_.Trace("[GameSettingUI]_TestProxy connet %s", kind);
    if (connection->Connect(position == 1 ? kSocks5TargetHost : kHttpTargetHost, entry.port) == 0) {
      logger_.Trace("[GameSettingUI]_TestProxy connet %s fails!", kind);
    } else {
      result = 1;
      logger_.Trace("[GameSettingUI]_TestProxy connet %s success!", kind);
    }
  }
  return result;
}

// Closes the connection of the owner's stored proxy type (not of the position tested).
void GameSettingUI::CloseTestedConnection() {
  ProxyEntry entry;
  std::memset(&entry, 0, sizeof entry);
  GetProxyParamFromApp(&entry);
  if (entry.type == kProxySocks5 && socks5_connection_.get() != nullptr) {
    socks5_connection_->Close();
  } else if (entry.type == kProxyHttp && http_connection_.get() != nullptr) {
    http_connection_->Close();
  }
}

void GameSettingUI::OnConnected() {
  {
    std::lock_guard<std::mutex> hold(callback_mutex_);
    if (closing_) return;  // the dialog is going: nobody is left to tell
    CloseTestedConnection();
  }
  platform::ShowSystemMessageBox(nullptr, kProxyWorks, kMessageBoxCaption, kOkOnly);
}

void GameSettingUI::OnCennetFail(int error_code) {
  logger_.Trace("[GemeSettingUI]_OnCennetFail err=%d", error_code);  // kept as written
  {
    std::lock_guard<std::mutex> hold(callback_mutex_);
    if (closing_) return;
    CloseTestedConnection();
  }
  platform::ShowSystemMessageBox(nullptr, kProxyUnreachable, kMessageBoxCaption, kOkOnly);
}

}  // namespace orv
