// The interfaces of the test modules: OrvProbe.dll, a component module built on the same
// runtime as OrvUpdateUI.dll whose components let a test drive the component base, and
// OrvRecordingFactory.dll, a component factory that records what modules ask of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/component_interfaces.h"
#include "platform/abi.h"

namespace orv::testing {

// Component classes of OrvProbe.dll.
enum : ComponentId {
  kProbeId = 7001,           // a ProbeComponent
  kNullProbeId = 7003,       // its creator fails (returns null)
  kLockCheckProbeId = 7005,  // a probe, made only when the module lock is free during its creator
  kFactoryIdProbeId = 7006,  // a probe that reports the factory's id, 361
  kFillerFirstId = 8000,     // fillers 8000, 8001, ... bring the creator table to 513 attempts
};
constexpr std::uint32_t kProbeRegisteredCreators = 512;         // all the table can hold
constexpr ComponentId kProbeRejectedId = kFillerFirstId + 507;  // the 513th valid registration

// What happened to a probe: written by the probe, read by the test.
struct ProbeJournal {
  int closes = 0;
  int destructions = 0;
  int call_depth_seen = -1;       // the call depth inside the last Run
  bool release_in_close = false;  // Close releases the probe again, as an outside call might
};

class IProbe;
using ProbeAction = void (*)(IProbe* probe, void* context);

class IProbe : public IComponent {
 public:
  virtual int Init(ProbeJournal* journal) = 0;                                       // slot 8
  virtual void Run(ProbeAction action, void* context) = 0;                           // slot 9
  virtual void NotifyAll() = 0;                                                      // slot 10
  virtual void Close() = 0;                                                          // slot 11
  virtual void GetRegistryPath(const char* requested, char* out, int out_size) = 0;  // slot 12
  virtual int CreateChildProbe(IComponent** out, const char* registry) = 0;          // slot 13
  virtual int ReleaseChildProbe(IComponent** slot) = 0;                              // slot 14
  virtual IEventSource* Events() = 0;                                                // slot 15
  virtual IComponent* CreateUnlisted() = 0;                                          // slot 16
  // Writes through the probe's logger (module id 7001): an Error line when `error` is set,
  // else a Trace line, with `format` taking `value`.
  virtual void Log(int error, const char* format, int value) = 0;             // slot 17
  virtual const char* RootPath() = 0;                                         // slot 18
  virtual int MakeRootPathOf(const char* path, char* out, int out_size) = 0;  // slot 19
  // Obtains `id` through a releasing smart pointer of the runtime-id form and lets the
  // pointer go, after detaching the component when `detach` is set. Answers the component.
  virtual IComponent* ObtainAndDrop(ComponentId id, const char* registry, int detach) = 0;  // 20
  // The same with the pointer of the message box (1378): fixed id, no registry string, the
  // route that takes an already loaded OrvFact.dll first.
  virtual IComponent* ObtainMessageBoxAndDrop() = 0;  // slot 21
  // The factory access's error output, either bound.
  virtual void PrintError(int loaded_first, const char* text) = 0;  // slot 22
  // The update window's configuration reader and message box, as the window calls them.
  virtual void NewLiveUpdateConfig() = 0;  // slot 23
  virtual void ReadInfoText(const char* section, const char* key, char* out, int size) = 0;  // 24
  virtual int ReadInfoNumber(const char* section, const char* key) = 0;  // slot 25
  virtual const char* LiveUpdateConfigPath() = 0;                        // slot 26
  virtual int ShowBox(void* owner, const char* text, const char* caption,
                      std::uint32_t style) = 0;  // slot 27

 protected:
  ~IProbe() = default;
};

// What a probe's listeners implement; NotifyAll calls slot 1.
class IProbeListener {
 public:
  virtual void Unused0() = 0;   // slot 0
  virtual void OnNotify() = 0;  // slot 1

 protected:
  ~IProbeListener() = default;
};

// The recording factory's journal and knobs, reached through its export "RecordingFactory".
struct FactoryRecording {
  std::vector<std::string> calls;  // "CreateById(1014,reg)", "NotifyModuleEmpty", ...
  platform::ModuleHandle last_notified_module = nullptr;
  int release_component_result = 0;
  // Called by CreateById; null makes CreateById answer null.
  IComponent* (*create)(ComponentId component_id, const char* registry) = nullptr;
  // What GetLogConfig hands a logger.
  std::uint32_t debug_mask = 0;
  std::uint32_t file_mask = 0;
  LogFileRecord* log_record = nullptr;
};

// The testbed factory's own exports.
using OrvFactConfigureFn = void(ORV_CDECL*)(const char*);
using OrvFactClearJournalFn = void(ORV_CDECL*)();
using OrvFactUnloadModulesFn = int(ORV_CDECL*)();

using RecordingFactoryFn = FactoryRecording*(ORV_CDECL*)();

}  // namespace orv::testing
