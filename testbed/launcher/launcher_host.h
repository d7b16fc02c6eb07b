// The launcher's side of the update window: the IUpdateHost it hands to Init and the
// IUpdateWindowListener it advises. It keeps the proxy record in a file, records every
// statistic, and remembers when the window said that the game may start.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/interfaces/update_host.h"

namespace orv::launcher {

class LauncherHost final : public IUpdateHost, public IUpdateWindowListener {
 public:
  // `proxy_file` is a Windows-form path; `client_field` goes into every ClientInfo.
  LauncherHost(IUILayoutEngine* window, std::string proxy_file, std::uint32_t client_field);

  // IUpdateHost
  int GetClientInfo(ClientInfo* info) override;
  IUILayoutEngine* GetUIEngine() override { return window_; }
  int GetProxyConfig(ProxyConfig* config) override;
  int SetProxyConfig(ProxyConfig* config) override;
  int ReportStat(std::uint32_t code, std::uint32_t value) override;

  // IUpdateWindowListener
  void OnStartGame() override { start_game_ = true; }

  IUpdateWindowListener* listener() { return this; }
  bool start_game() const { return start_game_; }
  const std::vector<std::pair<std::uint32_t, std::uint32_t>>& stats() const { return stats_; }

 private:
  IUILayoutEngine* window_;
  std::string proxy_file_;
  std::uint32_t client_field_;
  bool start_game_ = false;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> stats_;
};

}  // namespace orv::launcher
