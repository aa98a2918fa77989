// The main dialog's state and behaviour, apart from the window system: the log and progress
// operations, the detail mode, the progress timer, the busy rules, the upgrade (on a worker
// thread) and the version check (on the UI thread).
#pragma once

#include "dock_utility/orchestration/result_codes.h"
#include "dock_utility/orchestration/version_queries.h"
#include "dock_utility/ui/dialog_view.h"
#include "dock_utility/ui/dock_operations.h"
#include "platform/clock.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace quaylin::ui {

inline constexpr wchar_t kProgramName[] = L"quaylin";
inline constexpr wchar_t kToolVersion[] = L"1.6.2.0";
inline constexpr wchar_t kBusyText[] = L"Device Busy!";

inline constexpr int kIdle = -1;
inline constexpr int kStageStart = 5;
inline constexpr int kStageDisplayDone = 45;
inline constexpr int kStageDownstreamHubDone = 55;
inline constexpr int kStageUpstreamHubDone = 65;
inline constexpr int kStageDownstreamPdDone = 80;
inline constexpr int kStageAllDone = 100;

inline constexpr unsigned kProgressTimerPeriodMs = 2200;
inline constexpr int kTimerCreepLimit = 90;

class MainDialog {
 public:
  MainDialog(DialogView& view, DockOperations& dock, platform::Clock& clock)
      : view_(view), dock_(dock), clock_(clock) {}
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  // Log and progress operations; callable from the UI thread and from the worker.
  void ClearLog();
  void AppendLog(const std::wstring& text);
  void ShowError(UpdResult code);
  void SetProgress(int position);

  // UI thread.
  void OnProgressTimer();
  void ToggleDetailMode() { detailMode_ = !detailMode_; }
  void OnUpgrade();
  void OnCheckVersion();

  // The worker's entry and the flow it runs.
  void UpgradeThreadProc();
  void RunUpgrade();

  // Waits for the most recent worker, if any (tests; the product never waits).
  void WaitForUpgrade();

  bool DetailMode() const { return detailMode_; }
  int ProgressState() const { return progressState_; }
  bool CheckRunning() const { return checkRunning_; }
  UpdResult LastResult() const { return lastResult_; }
  const ChipVersionLines& ChipLines() const { return chipLines_; }
  const DisplayVersionLines& DisplayLines() const { return displayLines_; }

 private:
  // Each detailed message reads the mode afresh, so F2 in the middle of a flow takes effect at
  // the next message.
  void Detail(const wchar_t* text);
  void SetPercentLabelTo(int position);
  bool RunChips(bool& passedOverFailure);
  UpdResult UpdatePdWithRetries(UpdResult (DockOperations::*procedure)());
  void FinishUpgrade(bool passedOverFailure);

  DialogView& view_;
  DockOperations& dock_;
  platform::Clock& clock_;

  std::atomic<bool> detailMode_{false};
  std::atomic<int32_t> progressState_{kIdle};
  std::atomic<bool> checkRunning_{false};
  std::atomic<UpdResult> lastResult_{0};
  std::thread upgradeThread_;
  ChipVersionLines chipLines_;
  DisplayVersionLines displayLines_;
};

std::wstring FormatError(UpdResult code);
std::wstring FormatPercent(int position);

}  // namespace quaylin::ui
