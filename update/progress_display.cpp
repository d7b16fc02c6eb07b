// The progress display. The texts are not built here: the layout's static texts carry
// placeholders ("${FILESIZE}", ...), and every progress event fills them anew from each
// static's layout text. The progress bar and the visibility of the download and install
// controls follow the phase.
#include <cstring>

#include "platform/clock.h"
#include "update/ui_objects.h"
#include "update/update_logic.h"
#include "update/update_texts.h"

namespace orv {
namespace {

using namespace update_texts;

constexpr int kPairs = 6;
constexpr char kPlaceholders[kPairs][kPathSize] = {
    "${LATESTVERSION}", "${FILESIZE}",        "${DOWNLOADSPEED}",
    "${LEFTTIME}",      "${DOWNLOADPROCESS}", "${INSTALLPROCESS}",
};
enum { kVersion, kSize, kSpeed, kLeftTime, kDownload, kInstall };

constexpr std::uint32_t kMegabyte = 1048576;
constexpr std::uint32_t kKilobyte = 1024;

// The version text, when it is terminated within the record: the engine's record is 420
// bytes, so no more than the 156 bytes from the text's start to the record's end are read.
void CopyVersion(const UpdateProgressInfo& info, char* out) {
  constexpr size_t kReadable =
      sizeof(UpdateProgressInfo) - offsetof(UpdateProgressInfo, latest_version);
  const char* text = info.latest_version;
  if (std::memchr(text, '\0', kReadable) != nullptr) Copy(out, kPathSize, text);
}

void SizeText(std::uint32_t size, char* out) {
  if (size > kMegabyte) {
    FormatTruncate(out, kPathSize, 0, "%.1f MB", size / 1048576.0);
  } else if (size > kKilobyte) {
    FormatTruncate(out, kPathSize, 0, "%.1f KB", size / 1024.0);
  } else {
    FormatTruncate(out, kPathSize, 0, "%d B", static_cast<int>(size));
  }
}

// The size as the launcher's statistic 6 takes it. Kept as written: above 1 MB the byte count
// is shifted left in 32 bits, so packages from 4 MB up wrap.
std::uint32_t SizeStatistic(std::uint32_t size) {
  if (size > kMegabyte) return size << 10;
  if (size > kKilobyte) return size;
  return size >> 10;
}

void SpeedText(std::uint32_t speed, char* out) {
  if (speed > kMegabyte) {
    FormatTruncate(out, kPathSize, 0, "%d MB/s", static_cast<int>(speed >> 20));
  } else if (speed > kKilobyte) {
    FormatTruncate(out, kPathSize, 0, "%d KB/s", static_cast<int>(speed >> 10));
  } else {
    FormatTruncate(out, kPathSize, 0, "%d B/s", static_cast<int>(speed));
  }
}

// h:m:s without leading zeros. A percentage past 100 leaves nothing to wait for: 0:0:0.
void LeftTimeText(std::uint32_t size, std::uint32_t percent, std::uint32_t average_speed,
                  char* out) {
  if (average_speed == 0 || size == 0) {
    Copy(out, kPathSize, kUnknown);
    return;
  }
  std::uint64_t seconds = 0;
  if (percent < 100) {
    seconds = static_cast<std::uint64_t>(static_cast<double>(size) * (100 - percent) / 100.0 /
                                         average_speed);
  }
  FormatTruncate(out, kPathSize, 0, "%d:%d:%d", static_cast<int>(seconds / 3600),
                 static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

// Whether replacing `find` once keeps the text inside the control-text buffer; a pair that
// would not fit leaves the control's text without that replacement.
bool ReplacementFits(const char* text, const char* find, const char* replace) {
  return static_cast<long long>(std::strlen(text)) - static_cast<long long>(std::strlen(find)) +
             static_cast<long long>(std::strlen(replace)) <
         kMessageSize;
}

}  // namespace

void CUpdateLogic::ApplyTemplates(IUIObject* container, const char (*placeholders)[kPathSize],
                                  const char (*values)[kPathSize], int count) {
  if (container == nullptr || placeholders == nullptr || values == nullptr || count <= 0) return;
  char out[kMessageSize];
  std::memset(out, 0, sizeof out);  // once per call, shared by every pair and child
  for (IUIObject* child = container->GetFirstChild(); child != nullptr;
       child = child->GetNextSibling()) {
    if (child->GetType() != kStaticTextType) continue;
    auto* text_control = static_cast<IUIStaticText*>(child);
    char text[kMessageSize];
    std::memset(text, 0, sizeof text);
    text_control->Refresh();
    child->GetText(text, sizeof text);
    text[sizeof text - 1] = '\0';
    if (text[0] == '\0') continue;
    for (int i = 0; i < count; ++i) {
      // A text without the placeholder would only be copied onto itself.
      if (std::strstr(text, placeholders[i]) == nullptr) continue;
      if (!ReplacementFits(text, placeholders[i], values[i])) continue;
      ReplaceAll(text, placeholders[i], values[i], out, sizeof out);
      Copy(text, sizeof text, out);
    }
    text_control->SetText(text);
  }
}

void CUpdateLogic::ResetProgressView() {
  IUILayoutEngine* ui = UIEngine();
  if (ui == nullptr) return;
  ShowResultView(true, 0);
  ShowCancelOrRetry(true);
  if (auto* bar = static_cast<IUIProgressBar*>(Lookup(ui, kProgressBar))) {
    bar->SetRange(0, 100, 1);
    bar->SetBarOption(1);
    bar->SetPos(0, 1);
  }
  if (auto* caption = static_cast<IUIStaticText*>(Lookup(ui, kProgressStatic))) {
    caption->SetText(kProgressCaption);
    caption->Show(1);
  }
  ShowControl(kFileSizeStatic, true);
  ShowControl(kSpeedStatic, true);
  ShowControl(kLeftTimeStatic, true);
  char project[1][kPathSize] = {};
  CLiveUpdateConfig::GetTaskInfo("ProjectOption", "projectname", project[0], kPathSize);
  if (project[0][0] == '\0') Copy(project[0], kPathSize, kDefaultProjectName);
  ShowControl(kStartGameButton, false);
  ShowControl(kSuccessStatic, false);
  if (IUIObject* start_game = Lookup(ui, kStartGameContainer)) {
    const char placeholder[1][kPathSize] = {"${PROJECTNAME}"};
    ApplyTemplates(start_game, placeholder, project, 1);
  }
  if (IUIObject* proxy = Lookup(ui, kProxyButton)) proxy->Enable(0);
}

void CUpdateLogic::OnUpdateProgress(const UpdateProgressInfo* info) {
  auto guard = EnterCall();
  ShowConnectingDialog(false);
  if (host_ == nullptr || info == nullptr) return;
  IUILayoutEngine* ui = host_->GetUIEngine();
  phase_ = info->phase;
  update_kind_ = info->update_kind;
  if (ui == nullptr || info->valid == 0) return;

  progress_seen_ = 1;
  need_reported_ = 1;
  host_->ReportStat(kStatUpdateProgress, 1);
  if (info->phase == kPhaseInstall && download_start_tick_ != 0) {
    host_->ReportStat(kStatDownloadTime, platform::TickCount() - download_start_tick_);
    download_start_tick_ = 0;
    // Taken after the report: the time the launcher spends in it is not install time.
    install_start_tick_ = platform::TickCount();
  }

  char values[kPairs][kPathSize];
  std::memset(values, 0, sizeof values);
  ShowRootView(true);
  CopyVersion(*info, values[kVersion]);
  SizeText(info->file_size, values[kSize]);
  if (info->file_size != 0) host_->ReportStat(kStatPackageSize, SizeStatistic(info->file_size));
  SpeedText(info->speed, values[kSpeed]);
  average_speed_ = average_speed_ > 0 ? (average_speed_ + info->speed) >> 1 : info->speed;
  LeftTimeText(info->file_size, info->percent, average_speed_, values[kLeftTime]);
  if (info->phase == kPhaseDownload) {
    FormatTruncate(values[kDownload], kPathSize, 0, "%d", static_cast<int>(info->percent));
    progress_seen_ = 1;
  } else {
    FormatTruncate(values[kDownload], kPathSize, 0, "0");
  }
  Append(values[kDownload], kPathSize, "%");
  if (info->phase == kPhaseInstall) {
    FormatTruncate(values[kInstall], kPathSize, 0, "%d", static_cast<int>(info->percent));
  } else {
    FormatTruncate(values[kInstall], kPathSize, 0, "0");
  }
  ShowControl(kProgressBackground, true);
  Append(values[kInstall], kPathSize, "%");
  ApplyTemplates(Lookup(ui, kUpdateContainer), kPlaceholders, values, kPairs);

  if (auto* bar = static_cast<IUIProgressBar*>(Lookup(ui, kProgressBar))) {
    if (info->percent > 0 && info->percent <= 100) bar->SetPos(static_cast<int>(info->percent), 1);
  }
  IUIObject* version = Lookup(ui, kVersionStatic);
  IUIObject* cancel = Lookup(ui, kCancelButton);
  if (info->phase == kPhaseDownload) {
    if (info->percent == 100) {
      if (version != nullptr) static_cast<IUIStaticText*>(version)->SetText(kDownloadDone);
      if (cancel != nullptr) cancel->Enable(0);
    }
    ShowControl(kInstallStatic, false);
    ShowControl(kDownloadStatic, true);
    ShowControl(kInstallingStatic, false);
    ShowControl(kVersionStatic, true);
  } else if (info->phase == kPhaseInstall) {
    ShowControl(kFileSizeStatic, false);
    ShowControl(kSpeedStatic, false);
    ShowControl(kLeftTimeStatic, false);
    ShowControl(kDownloadStatic, false);
    ShowControl(kInstallStatic, true);
    ShowControl(kVersionStatic, false);
    ShowControl(kInstallingStatic, true);
    if (cancel != nullptr) cancel->Enable(0);
    if (info->percent == 100) {
      ShowControl(kInstallingStatic, false);
      ShowControl(kCancelButton, false);
      ShowControl(kSuccessStatic, true);
      ShowControl(kStartGameButton, true);
    }
  }
}

}  // namespace orv
