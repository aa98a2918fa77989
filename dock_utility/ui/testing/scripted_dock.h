// Dock operations whose results a test scripts: each procedure takes its results from a queue
// (UPD_OK once the queue is empty), every call is recorded in order, and a hook may run inside
// any call (to tick the timer, press F2 or hold the worker).
#pragma once

#include "dock_utility/ui/dock_operations.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace quaylin::ui::testing {

class ScriptedDock final : public DockOperations {
 public:
  static constexpr char kDisplay[] = "display";
  static constexpr char kDownstreamHub[] = "ds_hub";
  static constexpr char kUpstreamHub[] = "us_hub";
  static constexpr char kDownstreamPd[] = "ds_pd";
  static constexpr char kUpstreamPd[] = "us_pd";
  static constexpr char kFindDock[] = "find_dock";
  static constexpr char kIdentify[] = "identify";
  static constexpr char kQueryDisplay[] = "query_display";
  static constexpr char kQueryChips[] = "query_chips";

  void Script(const std::string& call, std::vector<UpdResult> results) {
    std::lock_guard lock(mutex_);
    for (UpdResult r : results) {
      results_[call].push_back(r);
    }
  }
  void OnCall(const std::string& call, std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    hooks_[call] = std::move(hook);
  }
  void SetDockPresent(bool present) { dockPresent_ = present; }
  void SetBrand(int found, uint8_t brandCode) {
    brandFound_ = found;
    brandCode_ = brandCode;
  }
  // Each display query takes the next entry; the last one repeats.
  void ScriptDisplayLines(std::vector<DisplayVersionLines> answers) {
    displayAnswers_ = std::move(answers);
  }
  void ScriptChipLines(const ChipVersionLines& lines) { chipAnswer_ = lines; }

  std::vector<std::string> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  int Count(const std::string& call) const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const std::string& c : calls_) {
      n += c == call ? 1 : 0;
    }
    return n;
  }

  UpdResult UpdateDisplayControllerFirmware() override { return Procedure(kDisplay); }
  UpdResult UpdateDownstreamHubFirmware() override { return Procedure(kDownstreamHub); }
  UpdResult UpdateUpstreamHubFirmware() override { return Procedure(kUpstreamHub); }
  UpdResult UpdateDownstreamPdFirmware() override { return Procedure(kDownstreamPd); }
  UpdResult UpdateUpstreamPdFirmware() override { return Procedure(kUpstreamPd); }
  int FindDockDevice() override {
    Record(kFindDock);
    return dockPresent_ ? 1 : 0;
  }
  int IdentifyDockCustomer(uint8_t& brandCode, uint8_t& variant) override {
    Record(kIdentify);
    brandCode = brandFound_ == 1 ? brandCode_ : 0;
    variant = brandFound_ == 1 ? 1 : 0;
    return brandFound_;
  }
  void QueryDisplayControllerVersion(DisplayVersionLines& lines) override {
    Record(kQueryDisplay);
    if (!displayAnswers_.empty()) {
      lines = displayAnswers_[std::min(displayQueries_, displayAnswers_.size() - 1)];
    }
    ++displayQueries_;
  }
  void QueryHubAndPdVersions(ChipVersionLines& lines) override {
    Record(kQueryChips);
    lines = chipAnswer_;
  }

 private:
  void Record(const std::string& call) {
    std::function<void()> hook;
    {
      std::lock_guard lock(mutex_);
      calls_.push_back(call);
      auto found = hooks_.find(call);
      if (found != hooks_.end()) {
        hook = found->second;
      }
    }
    if (hook) {
      hook();
    }
  }
  UpdResult Procedure(const std::string& call) {
    Record(call);
    std::lock_guard lock(mutex_);
    std::deque<UpdResult>& queue = results_[call];
    if (queue.empty()) {
      return UPD_OK;
    }
    const UpdResult r = queue.front();
    queue.pop_front();
    return r;
  }

  mutable std::mutex mutex_;
  std::map<std::string, std::deque<UpdResult>> results_;
  std::map<std::string, std::function<void()>> hooks_;
  std::vector<std::string> calls_;
  bool dockPresent_ = true;
  int brandFound_ = 1;
  uint8_t brandCode_ = 1;
  std::vector<DisplayVersionLines> displayAnswers_;
  size_t displayQueries_ = 0;
  ChipVersionLines chipAnswer_;
};

}  // namespace quaylin::ui::testing
