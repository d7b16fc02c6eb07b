#include "testbed/launcher/launcher_host.h"

#include <cstring>
#include <fstream>

#include "platform/file_read.h"
#include "platform/native_path.h"

namespace orv::launcher {

LauncherHost::LauncherHost(IUILayoutEngine* window, std::string proxy_file,
                           std::uint32_t client_field)
    : window_(window), proxy_file_(std::move(proxy_file)), client_field_(client_field) {}

int LauncherHost::GetClientInfo(ClientInfo* info) {
  if (info == nullptr) return 0;
  info->client_field = client_field_;
  return 1;
}

// The record as the file holds it: its 2492 bytes, or an empty record with three entries.
int LauncherHost::GetProxyConfig(ProxyConfig* config) {
  if (config == nullptr) return 0;
  std::string bytes;
  if (platform::ReadWholeFile(proxy_file_.c_str(), &bytes) && bytes.size() == sizeof(ProxyConfig)) {
    std::memcpy(config, bytes.data(), sizeof(ProxyConfig));
  } else {
    std::memset(config, 0, sizeof(ProxyConfig));
    config->entry_count = kProxyEntryCount;
  }
  return 1;
}

int LauncherHost::SetProxyConfig(ProxyConfig* config) {
  if (config == nullptr) return 0;
  std::ofstream out(platform::NativePath(proxy_file_), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(config), sizeof(ProxyConfig));
  return out ? 1 : 0;
}

int LauncherHost::ReportStat(std::uint32_t code, std::uint32_t value) {
  stats_.emplace_back(code, value);
  return 1;
}

}  // namespace orv::launcher
