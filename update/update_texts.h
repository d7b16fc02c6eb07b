// The update window's built-in texts and control names. The Chinese texts are GBK (code page
// 936), written as bytes with the text beside them.
#pragma once

namespace orv::update_texts {

constexpr char kDownloadDone[] =
    "\xcf\xc2\xd4\xd8\xc9\xfd\xbc\xb6\xb0\xfc\xcd\xea\xb3\xc9";  // "下载升级包完成"
constexpr char kProgressCaption[] =
    "\xcf\xc2\xd4\xd8\xbd\xf8\xb6\xc8\x20\x3a\x20";  // "下载进度 : "
constexpr char kUnknown[] = "\xce\xb4\xd6\xaa";      // "未知"

constexpr char kLayoutFile[] = "ui\\LayOut\\Container_Update.tpf";
constexpr char kConnectingLayoutFile[] = "ui\\LayOut\\Dlg_Connecting.tpf";
constexpr char kLayoutNode[] = "/OrvexUILayout/UIObject";

constexpr char kContainer[] = "C2_Container";
constexpr char kUpdateContainer[] = "Update_Container";
constexpr char kStartGameContainer[] = "StartGame_Container";
constexpr char kProgressBackground[] = "Container_ProcessBackGround";
constexpr char kProgressBar[] = "C2_Process_Level";
constexpr char kProgressStatic[] = "C2_Static_Process";
constexpr char kVersionStatic[] = "C2_Static_UpdateVersion";
constexpr char kFileSizeStatic[] = "C2_Static_FileSize";
constexpr char kSpeedStatic[] = "C2_Static_DownloadSpeed";
constexpr char kLeftTimeStatic[] = "C2_Static_LeftTime";
constexpr char kDownloadStatic[] = "C2_Static_DownloadProcess";
constexpr char kInstallStatic[] = "C2_Static_IntallProcess";  // kept as written: the layout's name
constexpr char kInstallingStatic[] = "C2_Static_Installing";
constexpr char kSuccessStatic[] = "C2_Static_UpdateSuccess";
constexpr char kFailStatic[] = "C2_Static_UpdateFail";
constexpr char kStartGameStatic[] = "C2_Static_StartGame";
constexpr char kCancelButton[] = "C2_Button_Cancel";
constexpr char kRetryButton[] = "C2_Button_Retry";
constexpr char kStartGameButton[] = "C2_Button_StartGame";
constexpr char kProxyButton[] = "C2_Button_Proxy";

// The buttons, in the order they are bound and unbound.
constexpr const char* kButtons[] = {kCancelButton, kRetryButton, kStartGameButton, kProxyButton};

}  // namespace orv::update_texts
