// A dialog view that records what the flows do to the controls. Safe to use from the worker and
// the test thread at once.
#pragma once

#include "dock_utility/ui/dialog_view.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace quaylin::ui::testing {

class FakeView final : public DialogView {
 public:
  void ClearLogText() override {
    std::lock_guard lock(mutex_);
    log_.clear();
  }
  void AppendLogText(const std::wstring& text) override {
    std::lock_guard lock(mutex_);
    log_ += text;
  }
  int ProgressPosition() override {
    std::lock_guard lock(mutex_);
    return position_;
  }
  void SetProgressPosition(int position) override {
    std::lock_guard lock(mutex_);
    position_ = position;
    positions_.push_back(position);
  }
  void SetProgressStep(int step) override {
    std::lock_guard lock(mutex_);
    step_ = step;
  }
  void StepProgress() override {
    std::lock_guard lock(mutex_);
    position_ += step_;
  }
  void SetPercentLabel(const std::wstring& text) override {
    std::lock_guard lock(mutex_);
    label_ = text;
  }
  void StartProgressTimer(unsigned periodMs) override {
    std::lock_guard lock(mutex_);
    timerEvents_.push_back(static_cast<int>(periodMs));
    timerRunning_ = true;
  }
  void StopProgressTimer() override {
    std::lock_guard lock(mutex_);
    timerEvents_.push_back(0);
    timerRunning_ = false;
  }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    std::lock_guard lock(mutex_);
    messages_.push_back(caption + L": " + text);
  }
  MessageAnswer AskOkCancel(const std::wstring& text, const std::wstring& caption) override {
    std::lock_guard lock(mutex_);
    questions_.push_back(caption + L": " + text);
    if (answers_.empty()) {
      return MessageAnswer::kCancel;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  void EnableCheckButton(bool enabled) override {
    std::lock_guard lock(mutex_);
    checkButton_.push_back(enabled);
  }

  // The log box split into its CR LF terminated lines (a last unterminated piece is kept).
  std::vector<std::wstring> LogLines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < log_.size()) {
      const size_t end = log_.find(L"\r\n", start);
      if (end == std::wstring::npos) {
        lines.push_back(log_.substr(start));
        break;
      }
      lines.push_back(log_.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  std::wstring LogText() const {
    std::lock_guard lock(mutex_);
    return log_;
  }
  std::vector<int> Positions() const {
    std::lock_guard lock(mutex_);
    return positions_;
  }
  void PlaceBar(int position) {
    std::lock_guard lock(mutex_);
    position_ = position;
  }
  std::wstring Label() const {
    std::lock_guard lock(mutex_);
    return label_;
  }
  // Period for each start, 0 for each stop.
  std::vector<int> TimerEvents() const {
    std::lock_guard lock(mutex_);
    return timerEvents_;
  }
  bool TimerRunning() const {
    std::lock_guard lock(mutex_);
    return timerRunning_;
  }
  std::vector<std::wstring> Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<std::wstring> Questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
  }
  void Answer(MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
  }
  std::vector<bool> CheckButtonStates() const {
    std::lock_guard lock(mutex_);
    return checkButton_;
  }

 private:
  mutable std::mutex mutex_;
  std::wstring log_;
  int position_ = 0;
  int step_ = 10;  // the bar's own default until the worker sets 1
  std::vector<int> positions_;
  std::wstring label_ = L"0%";
  std::vector<int> timerEvents_;
  bool timerRunning_ = false;
  std::vector<std::wstring> messages_;
  std::vector<std::wstring> questions_;
  std::deque<MessageAnswer> answers_;
  std::vector<bool> checkButton_;
};

}  // namespace quaylin::ui::testing
