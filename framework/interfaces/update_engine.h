// The framework's update engine (component 1014): it checks for, downloads and installs the
// update, and reports what happens through IUpdateEngineEvent. Its second interface is
// IEventSource, on which the update window advises its IUpdateEngineEvent.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/interfaces/component_interfaces.h"
#include "framework/interfaces/event_sink.h"
#include "framework/interfaces/proxy_config.h"

namespace orv {

// The start record handed to SetUpdateParams; zeroed before it is filled.
struct UpdateStartParams {
  char text[260];              // left empty
  std::uint32_t client_field;  // the field at byte 4 of the launcher's ClientInfo
  std::uint32_t argument;      // the argument of StartUpdate
  std::uint32_t reserved;      // 0
};
static_assert(sizeof(UpdateStartParams) == 272, "UpdateStartParams is 272 bytes");
static_assert(offsetof(UpdateStartParams, client_field) == 260 &&
                  offsetof(UpdateStartParams, argument) == 264 &&
                  offsetof(UpdateStartParams, reserved) == 268,
              "UpdateStartParams field offsets");

enum : std::uint32_t {
  kPhaseDownload = 1,
  kPhaseInstall = 2,
  kUpdateAdvised = 2,  // updateKind of an update the user may cancel without harm
};

// The record of one progress event; owned by the engine, read only during the call.
struct UpdateProgressInfo {
  std::uint32_t valid;            // 0: only phase and update_kind are taken
  std::uint8_t engine_data[260];  // not read by the window
  char latest_version[132];       // the version being installed, terminated
  std::uint32_t file_size;        // bytes
  std::uint32_t speed;            // bytes per second
  std::uint32_t percent;          // of the current phase, 0 to 100
  std::uint32_t engine_value;     // not read by the window
  std::uint32_t phase;            // kPhaseDownload, kPhaseInstall
  std::uint32_t update_kind;      // kUpdateAdvised, or anything else for a required update
};
static_assert(offsetof(UpdateProgressInfo, latest_version) == 264 &&
                  offsetof(UpdateProgressInfo, file_size) == 396 &&
                  offsetof(UpdateProgressInfo, speed) == 400 &&
                  offsetof(UpdateProgressInfo, percent) == 404 &&
                  offsetof(UpdateProgressInfo, phase) == 412 &&
                  offsetof(UpdateProgressInfo, update_kind) == 416,
              "UpdateProgressInfo field offsets");
static_assert(sizeof(UpdateProgressInfo) == 420, "UpdateProgressInfo is 420 bytes");

// What the engine calls on the update window.
class IUpdateEngineEvent : public ISink {
 public:
  virtual void OnUpdateFinish() = 0;                                  // slot 1
  virtual void OnUpdateFail(std::uint32_t error_code) = 0;            // slot 2
  virtual void OnUpdateSuccess() = 0;                                 // slot 3
  virtual void OnNeedUpdate() = 0;                                    // slot 4
  virtual void OnUpdateProgress(const UpdateProgressInfo* info) = 0;  // slot 5
  virtual void OnStageTiming() = 0;                                   // slot 6

 protected:
  ~IUpdateEngineEvent() = default;
};

class IUpdateEngine : public IComponent {
 public:
  // Nonzero: the update is running; its events follow.
  virtual int RunUpdate(const char* text, std::uint32_t first, std::uint32_t second) = 0;  // 8
  virtual int UseProxy(const ProxyEntry* entry) = 0;                                       // 9
  // Nonzero: accepted.
  virtual int SetUpdateParams(const UpdateStartParams* params) = 0;  // 10

 protected:
  ~IUpdateEngine() = default;
};

}  // namespace orv
