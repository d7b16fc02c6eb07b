#include "components/zuno/client/gamesettingui/game_setting_ui.h"

namespace orv {

GameSettingUI::GameSettingUI() = default;

// The dialog's view is not built yet: no modal run takes place and nothing is read back.
int GameSettingUI::ShowDialog(int /*modal*/) { return 0; }

void GameSettingUI::FillConfigFromControls(ProxyConfig* /*config*/) {}

}  // namespace orv
