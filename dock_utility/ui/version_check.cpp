// The Check Version button: reads every chip's version on the UI thread and names the package.
#include "dock_utility/ui/expected_versions.h"
#include "dock_utility/ui/main_dialog.h"

namespace quaylin::ui {
namespace {

constexpr uint32_t kDisplayRetryPauseMs = 600;

}  // namespace

void MainDialog::OnCheckVersion() {
  if (progressState_ != kIdle || checkRunning_) {
    view_.ShowMessage(kBusyText, kProgramName);
    return;
  }
  view_.EnableCheckButton(false);
  checkRunning_ = true;

  ClearLog();
  AppendLog(detailMode_ ? L"1. Get Saltmere f/w version, Waiting......"
                        : L"Start checking firmware version");
  dock_.QueryDisplayControllerVersion(displayLines_);
  Detail(L"Saltmere F/W Version:");
  if (detailMode_) {
    AppendLog(displayLines_.hostLine);
  }
  if (detailMode_) {
    AppendLog(displayLines_.port2Line);
  }
  Detail(L"2. Get Miraton versions, wait......");

  dock_.QueryHubAndPdVersions(chipLines_);
  const std::pair<const wchar_t*, const std::wstring*> sections[] = {
      {L"BILLBOARD VERSION INFO", &chipLines_.billboardLine},
      {L"UPSTREAM ORLX VERSION INFO", &chipLines_.upstreamPdLine},
      {L"DOWNSTREAM ORLX VERSION INFO", &chipLines_.downstreamPdLine},
      {L"UPSTREAM RQ9 VERSION INFO", &chipLines_.upstreamHubLine},
      {L"DOWNSTREAM RQ9 VERSION INFO", &chipLines_.downstreamHubLine},
  };
  for (const auto& [title, line] : sections) {
    Detail(title);
    if (detailMode_) {
      AppendLog(*line);
    }
  }
  AppendLog(L"Finished");

  std::wstring label = LookupDockFirmwareVersion(dock_, chipLines_, displayLines_);
  if (label == kUnknownVersion) {
    // The display controller sometimes answers late; it alone is read once more.
    clock_.Sleep(kDisplayRetryPauseMs);
    dock_.QueryDisplayControllerVersion(displayLines_);
    label = LookupDockFirmwareVersion(dock_, chipLines_, displayLines_);
  }
  AppendLog(L"F/W Version: " + label);

  checkRunning_ = false;
  view_.EnableCheckButton(true);
}

}  // namespace quaylin::ui
