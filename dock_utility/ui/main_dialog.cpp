#include "dock_utility/ui/main_dialog.h"

#include <cstdio>

namespace quaylin::ui {
namespace {

std::wstring Widen(const char* ascii) {
  std::wstring wide;
  for (const char* c = ascii; *c != '\0'; ++c) {
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  }
  return wide;
}

}  // namespace

std::wstring FormatError(UpdResult code) {
  char text[32];
  std::snprintf(text, sizeof text, "Failed! Error:0x%08x", static_cast<unsigned>(code));
  return Widen(text);
}

std::wstring FormatPercent(int position) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", position);
  return Widen(text);
}

MainDialog::~MainDialog() {
  WaitForUpgrade();
}

void MainDialog::ClearLog() {
  view_.ClearLogText();
}

void MainDialog::AppendLog(const std::wstring& text) {
  view_.AppendLogText(text + L"\r\n");
}

void MainDialog::ShowError(UpdResult code) {
  AppendLog(FormatError(code));
}

void MainDialog::SetPercentLabelTo(int position) {
  view_.SetPercentLabel(FormatPercent(position));
}

void MainDialog::SetProgress(int position) {
  const int current = view_.ProgressPosition();
  if (current > position) {
    return;
  }
  // The label shows where the bar stood before the move; the next tick catches it up.
  SetPercentLabelTo(current);
  view_.SetProgressPosition(position);
}

void MainDialog::OnProgressTimer() {
  const int state = progressState_;
  if (state == kStageAllDone || state == kIdle) {
    view_.StopProgressTimer();
  }
  if (view_.ProgressPosition() < kTimerCreepLimit) {
    view_.StepProgress();
    SetPercentLabelTo(view_.ProgressPosition());
  }
}

void MainDialog::Detail(const wchar_t* text) {
  if (detailMode_) {
    AppendLog(text);
  }
}

void MainDialog::WaitForUpgrade() {
  if (upgradeThread_.joinable()) {
    upgradeThread_.join();
  }
}

}  // namespace quaylin::ui
