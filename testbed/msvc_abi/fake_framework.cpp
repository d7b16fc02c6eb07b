// OrvFact.dll built for the Microsoft C++ ABI: the factory (361), registry (991), update
// engine (1014), message box (1378) and proxy test connections (55, 56) here, the UI layout
// engine (186) in fake_ui.cpp; each a small fixed object that writes what it is called with
// to one journal. No heap: every object lives in static storage, constant-initialised (no C
// runtime runs here).
#include "testbed/msvc_abi/fake_framework.h"

#include "framework/interfaces/component_factory.h"
#include "framework/interfaces/message_box_interface.h"
#include "framework/interfaces/proxy_connection.h"
#include "framework/interfaces/registry.h"
#include "testbed/msvc_abi/fake_recording.h"

extern "C" const char __ImageBase;  // this DLL's image, as the linker places it

namespace orv::msvc_abi {

int g_live = 0;

namespace {

char g_journal[24576];

}  // namespace

bool Ours(std::uintptr_t address) { return Ours(reinterpret_cast<const void*>(address)); }

bool Ours(const void* object) {
  const char* base = &__ImageBase;
  const auto size = *reinterpret_cast<const std::uint32_t*>(
      base + *reinterpret_cast<const std::uint32_t*>(base + 0x3C) + 80);  // SizeOfImage
  const auto* at = static_cast<const char*>(object);
  return at >= base && at < base + size && reinterpret_cast<std::uintptr_t>(at) % 4 == 0;
}

void NoteLine(const char* line) { Append(g_journal, sizeof g_journal, line); }

void Note(const void* self, const char* object, const char* method, const std::uint32_t* numbers,
          int count, const char* text) {
  char line[400] = "";
  Append(line, sizeof line, object), Append(line, sizeof line, "."),
      Append(line, sizeof line, method);
  // Moved by one, the arguments start with the object's own address: the first of them (a
  // text or a number) points into this image, where no text of the module and no number
  // the module passes lies.
  const bool shifted = text != nullptr ? Ours(text) : count > 0 && Ours(numbers[0]);
  CheckArrival(Ours(self) && Ours(*static_cast<void* const*>(self)), shifted, self, line);
  AppendArguments(line, sizeof line, numbers, count, text);
  NoteLine(line);
}

namespace {

class UpdateEngine : public Fake<IUpdateEngine, kUpdateEngineId, IEventSource> {
 public:
  int RunUpdate(const char* text, std::uint32_t first, std::uint32_t second) override {
    std::uint32_t numbers[] = {first, second};
    return Note(this, "Engine", "RunUpdate", numbers, 2, text), 1;
  }
  int UseProxy(const ProxyEntry* entry) override {
    std::uint32_t numbers[] = {entry->type, entry->port};
    return Note(this, "Engine", "UseProxy", numbers, 2, entry->address), 1;
  }
  int SetUpdateParams(const UpdateStartParams* params) override {
    std::uint32_t numbers[] = {params->client_field, params->argument, params->reserved};
    return Note(this, "Engine", "SetUpdateParams", numbers, 3, params->text), 1;
  }
  void Advise(void* listener, std::uint32_t cookie) override {
    Note1(this, "Engine", "Advise", cookie);
    listener_ = static_cast<IUpdateEngineEvent*>(listener);
  }
  void Unadvise(void* listener) override {
    Note1(this, "Engine", "Unadvise", listener == nullptr ? 0 : 1);
    if (listener == listener_) listener_ = nullptr;
  }
  IUpdateEngineEvent* listener_ = nullptr;
};

class Registry : public Fake<IRegistry, kRegistryId> {
 public:
  void Unused8() override {}
  void Unused9() override {}
  void Unused10() override {}
  int OpenKey(std::uint32_t, const char* name, std::uint32_t, std::uint32_t,
              std::uint32_t*) override {
    return Note(this, "Registry", "OpenKey", nullptr, 0, name), 0;  // no root: the host's folder
  }
  void Unused12() override {}
  void Unused13() override {}
  int QueryValue(std::uint32_t, const char*, std::uint32_t*, void*, std::uint32_t*) override {
    return 0;
  }
};

int g_answers[4];  // the next answers of the message box, 0 when none is left (then Yes)

class MessageBox : public Fake<IMessageBox, kMessageBoxId> {
 public:
  int ShowMessage(platform::WindowHandle owner, const char* markup, const char* caption,
                  std::uint32_t style) override {
    std::uint32_t numbers[] = {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner)),
                               style};
    Note(this, "MessageBox", "ShowMessage", numbers, 2, markup);
    Note(this, "MessageBox", "caption", nullptr, 0, caption);
    const int answer = g_answers[0] != 0 ? g_answers[0] : kAnswerYes;
    for (int i = 0; i < 3; ++i) g_answers[i] = g_answers[i + 1];
    return g_answers[3] = 0, answer;
  }
};

// The proxy test connections: what the module asks them is written down; the outcome comes
// when the person's stand-in sends it through the sink (FakeConnectionSink).
IConnectionSink* g_connection_sink = nullptr;

template <ComponentId kId>
class Connection : public Fake<IProxyConnection, kId> {
 public:
  int Init(const ProxyEntry* proxy, IConnectionSink* sink) override {
    std::uint32_t numbers[] = {kId, proxy->type, proxy->port};
    char text[900] = "";
    const char* fields[] = {proxy->address, proxy->user, proxy->password, proxy->domain};
    for (const char* field : fields) {
      Append(text, sizeof text, text[0] != '\0' ? "|" : ""), Append(text, sizeof text, field);
    }
    Note(this, "Connection", "Init", numbers, 3, text);
    return g_connection_sink = sink, 1;
  }
  int Connect(const char* host, std::uint16_t port) override {
    std::uint32_t numbers[] = {kId, port};
    return Note(this, "Connection", "Connect", numbers, 2, host), 1;
  }
  int Close() override { return Note1(this, "Connection", "Close", kId), 1; }
};

UpdateEngine g_engines[4];
Registry g_registries[4];
MessageBox g_boxes[2];
Connection<kHttpTestConnectionId> g_http[2];
Connection<kSocks5TestConnectionId> g_socks5[2];
UpdateEngine* g_newest_engine = nullptr;

class Factory : public Fake<IComponentFactory, kComponentFactoryId> {
 public:
  IComponent* CreateById(ComponentId id, const char*) override {
    Note1(this, "Factory", "CreateById", id);
    switch (id) {
      case kComponentFactoryId: return this;
      case kUpdateEngineId: return g_newest_engine = Take(g_engines);
      case kUILayoutEngineId: return TakeUIEngine(false);
      case kRegistryId: return Take(g_registries);
      case kMessageBoxId: return Take(g_boxes);
      case kHttpTestConnectionId: return Take(g_http);
      case kSocks5TestConnectionId: return Take(g_socks5);
      default: return nullptr;
    }
  }
  int GetLogConfig(const char*, ComponentId, std::uint32_t* debug_mask, std::uint32_t* file_mask,
                   LogFileRecord** record) override {
    *debug_mask = *file_mask = 0;
    *record = nullptr;
    return 1;
  }
  void Unused10() override {}
  void Unused11() override {}
  void Unused12() override {}
  int NotifyModuleEmpty(platform::ModuleHandle) override {
    return Note(this, "Factory", "NotifyModuleEmpty"), 1;
  }
  void Unused14() override {}
  void Unused15() override {}
  void Unused16() override {}
  int ReleaseComponent(IComponent*) override { return 0; }  // the caller releases it
};

Factory g_factory;

}  // namespace
}  // namespace orv::msvc_abi

using namespace orv;
using namespace orv::msvc_abi;

ORV_FAKE_EXPORT IComponent* __cdecl CreateComponent(std::uint32_t id, std::uint32_t) {
  if (id == kComponentFactoryId) return &g_factory;
  return id == kUILayoutEngineId ? TakeUIEngine(true) : nullptr;  // the launcher window's own
}
ORV_FAKE_EXPORT const char* __cdecl FakeJournal() { return g_journal; }
ORV_FAKE_EXPORT void __cdecl FakeRecord(const char* line) { NoteLine(line); }
ORV_FAKE_EXPORT void __cdecl FakeClearJournal() { g_journal[0] = '\0'; }
ORV_FAKE_EXPORT IUpdateEngineEvent* __cdecl FakeEngineListener() {
  return g_newest_engine != nullptr ? g_newest_engine->listener_ : nullptr;
}
ORV_FAKE_EXPORT IConnectionSink* __cdecl FakeConnectionSink() { return g_connection_sink; }
ORV_FAKE_EXPORT void __cdecl FakeAnswers(int first, int second) {
  g_answers[0] = first, g_answers[1] = second, g_answers[2] = g_answers[3] = 0;
}
ORV_FAKE_EXPORT int __cdecl FakeLiveObjects() { return g_live; }

extern "C" int __stdcall FakeFrameworkEntry(void*, std::uint32_t, void*) { return 1; }
