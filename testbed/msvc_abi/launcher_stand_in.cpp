#include "testbed/msvc_abi/launcher_stand_in.h"

#include "testbed/msvc_abi/freestanding.h"

namespace orv::msvc_abi {

Framework g_framework;
LauncherHost g_host;

namespace {

// "Host.<method>(<numbers>[,"<text>"])" to the journal.
void Record(const char* method, const std::uint32_t* numbers, int count,
            const char* text = nullptr) {
  char line[1200] = "Host.";
  Append(line, sizeof line, method);
  AppendArguments(line, sizeof line, numbers, count, text);
  g_framework.record(line);
}

// A text field of a record, however it came (it may fill its array without a terminator).
template <std::size_t kSize>
void AppendField(char* line, std::size_t size, const char (&field)[kSize]) {
  char text[kSize + 1] = {};
  memcpy(text, field, kSize);
  Append(line, size, text);
}

int __stdcall SystemMessageBox(void* owner, const char* text, const char* caption,
                               std::uint32_t style) {
  std::uint32_t numbers[] = {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(owner)),
                             style};
  char line[600] = "";
  Append(line, sizeof line, text), Append(line, sizeof line, "|"),
      Append(line, sizeof line, caption);
  Record("MessageBoxA", numbers, 2, line);
  return 1;  // IDOK
}

}  // namespace

const char* LoadFramework(Framework* framework) {
  *framework = {};
  framework->handle = LoadLibraryA("OrvFact.dll");
  if (framework->handle == nullptr) return "OrvFact.dll";
  const char* missing = nullptr;
  void* dll = framework->handle;
  FindExport(dll, "CreateComponent", &framework->create, &missing);
  FindExport(dll, "FakeJournal", &framework->journal, &missing);
  FindExport(dll, "FakeRecord", &framework->record, &missing);
  FindExport(dll, "FakeClearJournal", &framework->clear, &missing);
  FindExport(dll, "FakeEngineListener", &framework->engine_listener, &missing);
  FindExport(dll, "FakeConnectionSink", &framework->connection_sink, &missing);
  FindExport(dll, "FakeAnswers", &framework->answers, &missing);
  FindExport(dll, "FakeControl", &framework->control, &missing);
  FindExport(dll, "FakeOnModal", &framework->on_modal, &missing);
  FindExport(dll, "FakeLiveObjects", &framework->live, &missing);
  return missing;
}

int LauncherHost::GetClientInfo(ClientInfo* info) {
  CheckArrival(this == &g_host, info == static_cast<void*>(this), this,
               "IUpdateHost::GetClientInfo");
  Record("GetClientInfo", &info->client_field, 1);  // zero-filled by the caller
  info->client_field = 4660;
  return 1;
}

IUILayoutEngine* LauncherHost::GetUIEngine() {
  CheckArrival(this == &g_host, false, this, "IUpdateHost::GetUIEngine");
  return ui_engine;
}

int LauncherHost::GetProxyConfig(ProxyConfig* config) {
  CheckArrival(this == &g_host, config == static_cast<void*>(this), this,
               "IUpdateHost::GetProxyConfig");
  Record("GetProxyConfig", &config->entry_count, 1);
  config->entry_count = kProxyEntryCount, config->selected_index = 1;
  ProxyEntry& entry = config->entries[1];
  entry.type = kProxyHttp, entry.port = 3128;
  entry.address[0] = '\0', Append(entry.address, sizeof entry.address, "10.1.2.3");
  return 1;
}

// The record as this side's layout reads it: every field of every entry.
int LauncherHost::SetProxyConfig(ProxyConfig* config) {
  CheckArrival(this == &g_host, config == static_cast<void*>(this), this,
               "IUpdateHost::SetProxyConfig");
  std::uint32_t head[] = {config->entry_count, static_cast<std::uint32_t>(config->selected_index)};
  Record("SetProxyConfig", head, 2);
  for (std::uint32_t i = 0; i < kProxyEntryCount; ++i) {
    const ProxyEntry& entry = config->entries[i];
    std::uint32_t numbers[] = {i, entry.type, entry.port};
    char text[900] = "";
    AppendField(text, sizeof text, entry.address), Append(text, sizeof text, "|");
    AppendField(text, sizeof text, entry.user), Append(text, sizeof text, "|");
    AppendField(text, sizeof text, entry.password), Append(text, sizeof text, "|");
    AppendField(text, sizeof text, entry.domain);
    for (std::uint8_t byte : entry.unused) {
      if (byte != 0) Append(text, sizeof text, "|unused bytes set");
    }
    Record("entry", numbers, 3, text);
  }
  return 1;
}

int LauncherHost::ReportStat(std::uint32_t code, std::uint32_t value) {
  CheckArrival(this == &g_host, code == reinterpret_cast<std::uintptr_t>(this), this,
               "IUpdateHost::ReportStat");
  // Durations vary; the code and the values that do not are what is compared.
  bool duration = code == kStatDownloadTime || code == kStatInstallTime || code == kStatStartTime;
  std::uint32_t numbers[] = {code, value};
  return Record("ReportStat", numbers, duration ? 1 : 2), 1;
}

void Listener::OnStartGame() {
  char method[64] = "";
  Append(method, sizeof method, name_), Append(method, sizeof method, ".OnStartGame");
  Record(method, nullptr, 0);
  if (window_ == nullptr || *window_ == nullptr) return;
  IComponent* window = *window_;
  *window_ = nullptr;
  window->Release(0);
}

bool Act(int dialog, const char* name, const char* typed, std::int32_t event) {
  IUIEventSink* sink = nullptr;
  const std::uint32_t id = g_framework.control(dialog, name, typed, &sink);
  EventBag bag(event);
  if (id != 0 && sink != nullptr) sink->OnUIEvent(id, &bag);
  return id != 0 && sink != nullptr;
}

void Progress(IUpdateEngineEvent* events, std::uint32_t phase, std::uint32_t percent) {
  static UpdateProgressInfo info;
  memset(&info, 0, sizeof info);
  info.valid = 1, info.file_size = 3 * 1048576, info.speed = 204800, info.percent = percent;
  info.phase = phase, info.update_kind = 1;
  Append(info.latest_version, sizeof info.latest_version, "2.5.1");
  events->OnUpdateProgress(&info);
}

void CatchSystemMessageBox(void* module) {
  void* replacement = reinterpret_cast<void*>(&SystemMessageBox);
  ReplaceImport(module, "user32.dll", "MessageBoxA", replacement);
}

}  // namespace orv::msvc_abi
