#include "components/zuno/client/gamesettingui/game_setting_ui.h"

#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

#include "framework/bounded_string.h"
#include "framework/interfaces/update_host.h"
#include "framework/property_bag.h"
#include "framework/runtime/root_path.h"
#include "platform/window.h"

namespace orv {
namespace {

constexpr char kLayoutFile[] = "ui\\layout\\Dlg_ProxySetting.tpf";

// Combo positions and the proxy type each writes.
constexpr std::uint32_t kTypeOfPosition[kProxyEntryCount] = {kProxyNone, kProxySocks5, kProxyHttp};

int PositionOfType(std::uint32_t type) {
  for (int position = 0; position < kProxyEntryCount; ++position) {
    if (kTypeOfPosition[position] == type) return position;
  }
  return -1;
}

void CopyField(char* field, int size, const char* text) {
  if (text != nullptr && Fits(text, size)) kStringFunctions.StrCopy(field, size, text);
}

struct BagRelease {
  void operator()(PropertyBag* bag) const { bag->Release(0); }
};

}  // namespace

std::uint16_t PortFromText(const char* text) {
  if (text == nullptr) return 0;
  const char* begin = text;
  while (*begin == ' ') ++begin;
  const char* end = begin + std::strlen(begin);
  while (end > begin && end[-1] == ' ') --end;
  const long long length = end - begin;
  if (length == 0 || length >= 128) return 0;
  // As the C library's atol reads it, with the Windows long of 32 bits.
  const char* p = begin;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  long long value = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) &
                                    0xFFFFu);
}

GameSettingUI::GameSettingUI()
    : logger_(1), dialog_engine_(nullptr), socks5_connection_(nullptr), http_connection_(nullptr) {}

GameSettingUI::~GameSettingUI() {
  // A test connection may call back on its own thread at any time until it is released
  // (which waits for its thread): from here on the callbacks leave the connections alone.
  {
    std::lock_guard<std::mutex> hold(callback_mutex_);
    closing_ = true;
  }
  // Released here, in the reverse order of their creation, while the lock a late callback
  // takes still exists (members are destroyed after it in declaration order).
  http_connection_.reset();
  socks5_connection_.reset();
}

int GameSettingUI::InitDialog(std::uint32_t /*ignored*/, IUpdateHost* owner) {
  owner_ = owner;
  ShowDialog(0);
  LoadFromOwner();
  return 1;
}

void GameSettingUI::Build() {
  IUILayoutEngine* engine = dialog_engine_.get();
  char path[kPathSize] = {};
  MakeRootPath(kLayoutFile, path, sizeof path);
  if (owner_ != nullptr) {
    if (IUILayoutEngine* window = owner_->GetUIEngine()) {
      std::unique_ptr<PropertyBag, BagRelease> bag(new (std::nothrow) PropertyBag);
      window->GetProperties(bag.get(), kOwnerWindowKey);
      if (bag) {
        // A window handle travels as 32 bits and widens with its sign, as handles do on
        // 64-bit Windows.
        const auto handle = static_cast<std::intptr_t>(
            static_cast<std::int32_t>(bag->GetDword(kOwnerWindowKey, 1)));
        auto* owner_window = reinterpret_cast<platform::WindowHandle>(handle);
        if (platform::IsWindow(owner_window)) engine->SetOwnerWindow(owner_window);
      }
    }
  }
  const std::uint32_t root_id = engine->LoadLayout(path, 0);
  ok_id_ = engine->FindControl("Dlg_ProxySetting_OK_Btn");
  cancel_id_ = engine->FindControl("Dlg_ProxySetting_Cancel_Btn");
  close_id_ = engine->FindControl("Dlg_Close_Btn");
  test_id_ = engine->FindControl("Dlg_ProxySetting_Test_Btn");
  root_ = AsWindowRoot(engine->GetControl(root_id));
  type_combo_ = AsComboBox(engine->GetControl(engine->FindControl("Dlg_Type_Combo")));
  address_edit_ =  // "Adress": kept as written, the layout's name
      static_cast<IUIEditBox*>(engine->GetControl(engine->FindControl("Dlg_Adress_Edt")));
  port_edit_ = static_cast<IUIEditBox*>(engine->GetControl(engine->FindControl("Dlg_Port_Edt")));
  user_edit_ = static_cast<IUIEditBox*>(engine->GetControl(engine->FindControl("Dlg_User_Edt")));
  password_edit_ =
      static_cast<IUIPasswordEditBox*>(engine->GetControl(engine->FindControl("Dlg_Pass_Edt")));
  domain_edit_ =
      static_cast<IUIEditBox*>(engine->GetControl(engine->FindControl("Dlg_Domain_Edt")));
  engine->AddEventSink(root_id, AsUIEventSink());
  created_ = 1;
}

int GameSettingUI::ShowDialog(int modal) {
  int result = 0;
  if (dialog_engine_.get() == nullptr) return 0;
  if (created_ == 0) Build();
  if (modal != 0) LoadFromOwner();
  if (root_ != nullptr) {
    root_->PrepareWindow();
    if (modal != 0) {
      const std::uint32_t ended_by = root_->DoModal();
      result = ended_by == ok_id_ ? 1 : 0;
    } else {
      root_->Show(0);
    }
  }
  return result;
}

void GameSettingUI::LoadFromOwner() {
  ProxyEntry entry;
  std::memset(&entry, 0, sizeof entry);
  GetProxyParamFromApp(&entry);
  FillControlsFromEntry(&entry, 1);
  if (entry.type == kProxyNone) EnableProxyFields(false);
}

void GameSettingUI::GetProxyParamFromApp(ProxyEntry* out) {
  if (owner_ == nullptr) return;
  logger_.Trace("[GameSettingUI]_GetProxyParamFromApp");
  ProxyConfig config;
  std::memset(&config, 0, sizeof config);
  config.entry_count = kProxyEntryCount;
  owner_->GetProxyConfig(&config);
  logger_.Trace("[GameSettingUI]_GetProxyParamFromApp dwIndex=%d", config.selected_index);
  // An index outside the three entries stands for no proxy: an all-zero entry.
  const ProxyEntry* entry = EntryAt(&config, config.selected_index);
  if (entry != nullptr) {
    std::memcpy(out, entry, sizeof *out);
  } else {
    std::memset(out, 0, sizeof *out);
  }
}

void GameSettingUI::GetProxyParamFromAppFromIndex(ProxyEntry* out, int index) {
  if (owner_ == nullptr) return;
  ProxyConfig config;
  std::memset(&config, 0, sizeof config);
  config.entry_count = kProxyEntryCount;
  owner_->GetProxyConfig(&config);
  logger_.Trace("[GameSettingUI]_GetProxyParamFromAppFromIndex dwIndex=%d", index);
  const ProxyEntry* entry = EntryAt(&config, index);
  if (entry != nullptr) {
    std::memcpy(out, entry, sizeof *out);
  } else {
    std::memset(out, 0, sizeof *out);
  }
}

void GameSettingUI::FillControlsFromEntry(const ProxyEntry* entry, int select_type) {
  if (entry == nullptr) return;
  if (select_type != 0 && type_combo_ != nullptr) {
    const int position = PositionOfType(entry->type);
    if (position >= 0) type_combo_->SetCurSel(position);
  }
  // The text fields may come unterminated from the owner: never read past them.
  char address[sizeof entry->address + 1] = {};
  std::memcpy(address, entry->address, sizeof entry->address);
  if (address_edit_ != nullptr) address_edit_->SetEditText(address);
  if (port_edit_ != nullptr) {
    char port[12] = {};
    UIntToString(entry->port, port, sizeof port);
    port_edit_->SetEditText(port);
  }
  char text[sizeof entry->user + 1] = {};
  if (user_edit_ != nullptr) {
    std::memcpy(text, entry->user, sizeof entry->user);
    user_edit_->SetEditText(text);
  }
  if (password_edit_ != nullptr) {
    std::memcpy(text, entry->password, sizeof entry->password);
    password_edit_->SetEditText(text);
  }
  if (domain_edit_ != nullptr) {
    std::memcpy(text, entry->domain, sizeof entry->domain);
    domain_edit_->SetEditText(text);
  }
}

void GameSettingUI::FillConfigFromControls(ProxyConfig* config) {
  if (config == nullptr) return;
  int index = 0;
  // A combo position outside the three entries stands for no proxy: entry 0.
  const auto position = [this] {
    const int p = type_combo_->GetCurSel();
    return p >= 0 && p < kProxyEntryCount ? p : 0;
  };
  if (address_edit_ != nullptr) {
    const char* text = address_edit_->GetEditText();
    if (type_combo_ != nullptr) {
      index = position();
      config->selected_index = index;
    }
    CopyField(config->entries[index].address, sizeof config->entries[index].address, text);
  }
  ProxyEntry& entry = config->entries[index];
  if (port_edit_ != nullptr) {
    if (const char* text = port_edit_->GetEditText()) entry.port = PortFromText(text);
  }
  if (user_edit_ != nullptr) CopyField(entry.user, sizeof entry.user, user_edit_->GetEditText());
  if (password_edit_ != nullptr)
    password_edit_->GetPasswordText(entry.password, sizeof entry.password);
  if (domain_edit_ != nullptr)
    CopyField(entry.domain, sizeof entry.domain, domain_edit_->GetEditText());
  if (type_combo_ != nullptr) {
    const int p = position();
    config->entries[p].type = kTypeOfPosition[p];
  }
}

void GameSettingUI::EnableProxyFields(bool enable) {
  IUILayoutEngine* engine = dialog_engine_.get();
  if (engine == nullptr) return;
  if (domain_edit_ != nullptr) domain_edit_->Enable(enable);
  if (password_edit_ != nullptr) password_edit_->Enable(enable);
  if (user_edit_ != nullptr) user_edit_->Enable(enable);
  if (port_edit_ != nullptr) port_edit_->Enable(enable);
  if (address_edit_ != nullptr) address_edit_->Enable(enable);
  if (IUIObject* test = engine->GetControl(test_id_)) test->Enable(enable);
}

void GameSettingUI::OnUIEvent(std::uint32_t control_id, IPropertyBag* event) {
  if (event == nullptr) return;
  // The window that owns the dialog stays in memory until the handler is done.
  struct Hold {
    DialogKeeper* keeper;
    explicit Hold(DialogKeeper* k) : keeper(k) {
      if (keeper != nullptr) keeper->HoldDialog();
    }
    ~Hold() {
      if (keeper != nullptr) keeper->ReleaseDialog();
    }
  } hold(keeper_);
  const std::int32_t code = event->GetInt(kEventCodeKey, 0);
  if (code == kEventClick) {
    if (control_id == ok_id_ || control_id == cancel_id_ || control_id == close_id_) {
      if (root_ != nullptr) root_->EndModal(control_id);
    } else if (control_id == test_id_) {
      TestProxy();
    }
  } else if (code == kEventComboSelectionChanged && type_combo_ != nullptr &&
             control_id == type_combo_->GetControlId()) {
    const int position = type_combo_->GetCurSel();
    EnableProxyFields(position != 0);
    ProxyEntry entry;
    std::memset(&entry, 0, sizeof entry);
    GetProxyParamFromAppFromIndex(&entry, position);
    FillControlsFromEntry(&entry, 0);
  }
}

}  // namespace orv
