// The UPGRADE button: the display controller, then the dock's hubs and PD controllers in a fixed
// order, on one worker thread, with fixed pauses and the PD controllers' retries.
#include "dock_utility/ui/main_dialog.h"

#include <system_error>

namespace quaylin::ui {
namespace {

constexpr uint32_t kPauseBeforeStepMs = 2000;
constexpr uint32_t kPauseAfterLastPdMs = 3000;
constexpr uint32_t kPdRetryPauseMs = 6000;
constexpr uint32_t kPdLastRetrySettleMs = 20000;

constexpr wchar_t kDisplayFailedQuestion[] =
    L"Saltmere f/w update failed! Continue to update Miraton firmware?";
constexpr wchar_t kDisplayFailedCaption[] = L"Failed";

}  // namespace

void MainDialog::OnUpgrade() {
  // The busy state is taken here, on the UI thread, before the worker exists: a second click
  // that arrives before the worker's first step is refused as well.
  int expected = kIdle;
  if (checkRunning_ || !progressState_.compare_exchange_strong(expected, kStageStart)) {
    view_.ShowMessage(kBusyText, kProgramName);
    return;
  }
  // The previous worker released the busy state as its very last step, so this join is short.
  WaitForUpgrade();
  try {
    upgradeThread_ = std::thread([this] { UpgradeThreadProc(); });
  } catch (const std::system_error&) {
    // No worker: nothing was started, so the dialog must not stay busy for ever. The failure
    // must not leave the dialog's message handling as an exception either.
    progressState_ = kIdle;
    AppendLog(L"Firmware upgrade could not be started");
  }
}

void MainDialog::UpgradeThreadProc() {
  view_.SetProgressPosition(0);
  view_.SetProgressStep(1);
  RunUpgrade();
}

void MainDialog::RunUpgrade() {
  progressState_ = kStageStart;
  view_.StartProgressTimer(kProgressTimerPeriodMs);
  ClearLog();
  AppendLog(L"Start Firmware upgrade");
  view_.SetProgressPosition(kStageStart);

  bool passedOverFailure = false;
  if (RunChips(passedOverFailure)) {
    progressState_ = kStageAllDone;
    SetProgress(kStageAllDone);
  }
  FinishUpgrade(passedOverFailure);
}

// True when every chip was updated and the finished lines are written.
bool MainDialog::RunChips(bool& passedOverFailure) {
  UpdResult r = dock_.UpdateDisplayControllerFirmware();
  lastResult_ = r;
  if (r == UPD_OK) {
    clock_.Sleep(kPauseBeforeStepMs);
  } else {
    ShowError(r);
    if (view_.AskOkCancel(kDisplayFailedQuestion, kDisplayFailedCaption) ==
        MessageAnswer::kCancel) {
      return false;
    }
    // Going on with the dock's chips does not make the run complete.
    passedOverFailure = true;
  }

  SetProgress(kStageDisplayDone);
  Detail(L"Check Miraton Drivers...");
  if (dock_.FindDockDevice() == 0) {
    Detail(L"Can't find active docking device.");
    // None of the dock's chips was updated: the run is not complete.
    lastResult_ = UPD_ERR_DOCK_NOT_FOUND;
    return false;
  }

  Detail(L"OK");
  Detail(L"Update Downstream RQ9 f/w, wait......");
  clock_.Sleep(kPauseBeforeStepMs);
  r = dock_.UpdateDownstreamHubFirmware();
  lastResult_ = r;
  if (r != UPD_OK) {
    ShowError(r);
    return false;
  }

  Detail(L"Downstream RQ9 f/w update OK");
  SetProgress(kStageDownstreamHubDone);
  Detail(L"Update Upstream RQ9 f/w, wait......");
  clock_.Sleep(kPauseBeforeStepMs);
  r = dock_.UpdateUpstreamHubFirmware();
  lastResult_ = r;
  if (r != UPD_OK) {
    ShowError(r);
    return false;
  }

  Detail(L"Upstream RQ9 f/w update OK");
  SetProgress(kStageUpstreamHubDone);
  Detail(L"Update Downstream ORLX f/w, wait......");
  clock_.Sleep(kPauseBeforeStepMs);
  r = UpdatePdWithRetries(&DockOperations::UpdateDownstreamPdFirmware);
  if (r != UPD_OK) {
    ShowError(r);
    return false;
  }

  Detail(L"Downstream ORLX f/w update OK");
  SetProgress(kStageDownstreamPdDone);
  clock_.Sleep(kPauseBeforeStepMs);
  Detail(L"Update Upstream ORLX f/w, wait......");
  r = UpdatePdWithRetries(&DockOperations::UpdateUpstreamPdFirmware);
  if (r != UPD_OK) {
    ShowError(r);
    return false;
  }

  clock_.Sleep(kPauseAfterLastPdMs);
  if (passedOverFailure) {
    return false;
  }
  if (detailMode_) {
    AppendLog(L"Upstream ORLX f/w update OK");
    AppendLog(L"***********************************");
    AppendLog(L"** Firmware update finished !!");
    AppendLog(L"** Please replug the power cord !!");
    AppendLog(L"***********************************");
  } else {
    AppendLog(L"Firmware upgrade finished");
    AppendLog(L"Please unplug and re-connect the USB-C cable");
  }
  return true;
}

// At most three attempts; before the second and the third the downstream hub is updated again
// (its result is not looked at).
UpdResult MainDialog::UpdatePdWithRetries(UpdResult (DockOperations::*procedure)()) {
  UpdResult r = (dock_.*procedure)();
  lastResult_ = r;
  if (r == UPD_OK) {
    return r;
  }
  clock_.Sleep(kPdRetryPauseMs);
  dock_.UpdateDownstreamHubFirmware();
  clock_.Sleep(kPdRetryPauseMs);
  r = (dock_.*procedure)();
  lastResult_ = r;
  if (r == UPD_OK) {
    return r;
  }
  clock_.Sleep(kPdRetryPauseMs);
  dock_.UpdateDownstreamHubFirmware();
  clock_.Sleep(kPdLastRetrySettleMs);
  r = (dock_.*procedure)();
  lastResult_ = r;
  return r;
}

void MainDialog::FinishUpgrade(bool passedOverFailure) {
  view_.StopProgressTimer();
  if (lastResult_ != UPD_OK || passedOverFailure) {
    AppendLog(L"Firmware upgrade incomplete");
    view_.SetProgressPosition(0);
  } else {
    view_.SetProgressPosition(kStageAllDone);
  }
  // The label is set before the busy state is released, so that nothing of this worker touches
  // the dialog once a new upgrade may start.
  SetPercentLabelTo(view_.ProgressPosition());
  progressState_ = kIdle;
}

}  // namespace quaylin::ui
