// The launcher's side of the update window: the host object it hands to Init, and the
// listener interface through which the window says that the game may start.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/interfaces/proxy_config.h"
#include "framework/interfaces/ui_layout_engine.h"

namespace orv {

// The launcher's client record; the window reads only the field at byte 4.
struct ClientInfo {
  std::uint32_t launcher_data;
  std::uint32_t client_field;  // passed on in UpdateStartParams
  std::uint8_t more[432];
};
static_assert(sizeof(ClientInfo) == 440, "ClientInfo is 440 bytes");
static_assert(offsetof(ClientInfo, client_field) == 4, "the field the window reads");

// The statistics the window reports through ReportStat(code, value); durations are in
// milliseconds.
enum StatCode : std::uint32_t {
  kStatUpdateProgress = 3,  // 1: a valid progress event came; 0: the update ended without one
  kStatInstallTime = 4,
  kStatDownloadTime = 5,
  kStatPackageSize = 6,  // the package size, scaled as the progress display says
  kStatError = 8,        // the engine's error code
  kStatStartTime = 10,   // from the start to the engine's stage timing
};

class IUpdateHost {
 public:
  // Nonzero: `info` (zero-filled by the caller) was filled.
  virtual int GetClientInfo(ClientInfo* info) = 0;  // slot 0
  virtual void Reserved1() {}                       // slot 1
  // The UI engine of the launcher window, or null; asked anew at every use.
  virtual IUILayoutEngine* GetUIEngine() = 0;                           // slot 2
  virtual int GetProxyConfig(ProxyConfig* config) = 0;                  // slot 3
  virtual int SetProxyConfig(ProxyConfig* config) = 0;                  // slot 4
  virtual void Reserved5() {}                                           // slot 5
  virtual void Reserved6() {}                                           // slot 6
  virtual int ReportStat(std::uint32_t code, std::uint32_t value) = 0;  // slot 7

 protected:
  ~IUpdateHost() = default;
};

class IUpdateWindowListener {
 public:
  virtual void Reserved0() {}      // slot 0
  virtual void OnStartGame() = 0;  // slot 1: the update window is done; the game may start

 protected:
  ~IUpdateWindowListener() = default;
};

}  // namespace orv
