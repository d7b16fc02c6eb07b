// The launcher's side of a session, built for the Microsoft C++ ABI: the fake framework's
// exports, the launcher's host object and listener, the event bags of a person's clicks, and
// the system message box the module calls directly, each writing what reaches it to the
// fake's journal.
#pragma once

#include "framework/interfaces/module_exports.h"
#include "framework/interfaces/property_bag_interface.h"
#include "framework/interfaces/update_host.h"
#include "testbed/msvc_abi/fake_framework.h"

namespace orv::msvc_abi {

struct Framework {
  void* handle;
  CreateComponentFn create;
  FakeJournalFn journal;
  FakeRecordFn record;
  FakeClearJournalFn clear;
  FakeEngineListenerFn engine_listener;
  FakeConnectionSinkFn connection_sink;
  FakeAnswersFn answers;
  FakeControlFn control;
  FakeOnModalFn on_modal;
  FakeLiveObjectsFn live;
};

// OrvFact.dll loaded, its exports found; null when all is there, else what is missing.
const char* LoadFramework(Framework* framework);

// The launcher's host object: a fixed client record and stored proxy record (entry 1, HTTP
// 10.1.2.3:3128), the UI engine given to it, and the records the module hands back written
// down field by field.
class LauncherHost : public IUpdateHost {
 public:
  int GetClientInfo(ClientInfo* info) override;
  IUILayoutEngine* GetUIEngine() override;
  int GetProxyConfig(ProxyConfig* config) override;
  int SetProxyConfig(ProxyConfig* config) override;
  int ReportStat(std::uint32_t code, std::uint32_t value) override;
  IUILayoutEngine* ui_engine = nullptr;
};

// Writes "<name>.OnStartGame()"; releases `*window` (and clears it) when that is set, from
// inside the window's own call, as a launcher may.
class Listener : public IUpdateWindowListener {
 public:
  constexpr Listener(const char* name, IComponent** window) : name_(name), window_(window) {}
  void OnStartGame() override;

 private:
  const char* name_;
  IComponent** window_;
};

// The event bag a UI engine hands with an event: only the event code (GetInt of key 4) is
// asked for.
class EventBag : public IPropertyBag {
 public:
  constexpr explicit EventBag(std::int32_t code) : code_(code) {}
  std::uint32_t GetComponentID() override { return kPropertyBagId; }
  int IsAlive() override { return 1; }
  void Release(int) override {}
  int GetFreeInMap() override { return 0; }
  void SetFreeInMap(int) override {}
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  int SetFloat(std::uint32_t, float) override { return 0; }
  int SetByte(std::uint32_t, std::uint8_t) override { return 0; }
  int SetDword(std::uint32_t, std::uint32_t) override { return 0; }
  int SetString(std::uint32_t, const char*) override { return 0; }
  int SetInt(std::uint32_t, std::int32_t) override { return 0; }
  std::int32_t GetInt(std::uint32_t key, int) override { return key == kEventCodeKey ? code_ : 0; }
  std::uint8_t GetByte(std::uint32_t, int) override { return 0; }
  std::uint32_t GetDword(std::uint32_t, int) override { return 0; }
  float GetFloat(std::uint32_t, int) override { return 0; }
  void GetString(std::uint32_t, char*, std::uint32_t, int) override {}
  std::uint32_t GetStringLength(std::uint32_t) override { return 0; }
  int HasInt(std::uint32_t key) override { return key == kEventCodeKey; }
  int HasString(std::uint32_t) override { return 0; }
  int HasDword(std::uint32_t) override { return 0; }
  int HasByte(std::uint32_t) override { return 0; }
  int HasFloat(std::uint32_t) override { return 0; }
  void Clear() override {}
  int RemoveInt(std::uint32_t) override { return 0; }
  int RemoveByte(std::uint32_t) override { return 0; }
  int RemoveDword(std::uint32_t) override { return 0; }
  int RemoveFloat(std::uint32_t) override { return 0; }
  int RemoveString(std::uint32_t) override { return 0; }
  void CopyAllTo(IPropertyBag*, int) override {}
  int CopyIntTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyByteTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyDwordTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyFloatTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int CopyStringTo(IPropertyBag*, std::uint32_t) override { return 0; }
  int SetValue(std::uint32_t, float) override { return 0; }
  int SetValue(std::uint32_t, std::uint8_t) override { return 0; }
  int SetValue(std::uint32_t, std::uint32_t) override { return 0; }
  int SetValue(std::uint32_t, const char*) override { return 0; }
  int SetValue(std::uint32_t, std::int32_t) override { return 0; }

 private:
  std::int32_t code_;
};

// The person: `event` (a click unless said) on the control `name` of the launcher window
// (dialog 0) or of the proxy dialog (1), after typing `typed` into it when set. False when
// the control or its sink is missing.
bool Act(int dialog, const char* name, const char* typed = nullptr,
         std::int32_t event = kEventClick);

// The update engine: a progress event of `phase` at `percent` (3 MB at 200 KB/s, version
// 2.5.1, a required update) to the listener the module advised.
void Progress(IUpdateEngineEvent* events, std::uint32_t phase, std::uint32_t percent);

// The module's calls of the system message box go to the journal and answer OK.
void CatchSystemMessageBox(void* module);

extern Framework g_framework;
extern LauncherHost g_host;

}  // namespace orv::msvc_abi
