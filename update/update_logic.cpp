#include "update/update_logic.h"

#include "module/creator_table.h"

namespace orv {
namespace {

IComponent* CreateUpdateLogic() { return (new CUpdateLogic)->AsComponent(); }

const CreatorRegistration kRegisterUpdateLogic(kUpdateLogicId, &CreateUpdateLogic);

}  // namespace

CUpdateLogic::CUpdateLogic() : logger_(kUpdateLogicId) {}

// The window's layout, engine and dialogs are not part of the component yet: Init records
// its arguments and reports that no view was loaded, and StartUpdate reports no start.
int CUpdateLogic::Init(IUpdateHost* host, std::uint32_t embedded) {
  auto guard = EnterCall();
  host_ = host;
  embedded_ = embedded;
  return 0;
}

int CUpdateLogic::StartUpdate(std::uint32_t /*argument*/) {
  auto guard = EnterCall();
  return 0;
}

int CUpdateLogic::SetShowProxyButton(int show) {
  show_proxy_button_ = show;
  return 1;
}

void CUpdateLogic::Close() {}

}  // namespace orv
