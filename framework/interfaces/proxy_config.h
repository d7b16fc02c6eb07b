// The launcher's proxy record: three proxy entries and the one in use. It crosses module
// boundaries (the launcher fills and stores it, the update engine receives an entry), so its
// layout is fixed to the byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

enum : std::uint32_t {
  kProxyNone = 0,
  kProxySocks5 = 1,
  kProxyHttp = 3,
};

struct ProxyEntry {
  std::uint32_t type;  // kProxyNone, kProxySocks5 or kProxyHttp
  char address[32];    // host name or IP address, at most 31 characters
  std::uint16_t port;
  char user[260];
  char password[260];
  char domain[260];
  std::uint8_t unused[10];
};

constexpr int kProxyEntryCount = 3;

struct ProxyConfig {
  std::uint32_t entry_count;    // 3 in every record the module hands out
  std::int32_t selected_index;  // the entry in use, 0 to 2
  ProxyEntry entries[kProxyEntryCount];
};

static_assert(sizeof(ProxyEntry) == 828, "ProxyEntry is 828 bytes");
static_assert(offsetof(ProxyEntry, address) == 4 && offsetof(ProxyEntry, port) == 36 &&
                  offsetof(ProxyEntry, user) == 38 && offsetof(ProxyEntry, password) == 298 &&
                  offsetof(ProxyEntry, domain) == 558 && offsetof(ProxyEntry, unused) == 818,
              "ProxyEntry field offsets");
static_assert(sizeof(ProxyConfig) == 2492, "ProxyConfig is 2492 bytes");
static_assert(offsetof(ProxyConfig, selected_index) == 4 && offsetof(ProxyConfig, entries) == 8,
              "ProxyConfig field offsets");

// The selected entry, or null when the index is outside the three entries.
inline ProxyEntry* EntryAt(ProxyConfig* config, std::int32_t index) {
  if (config == nullptr || index < 0 || index >= kProxyEntryCount) return nullptr;
  return &config->entries[index];
}

}  // namespace orv
